#include "registry/ansi_value.h"

#include <algorithm>

#include "registry/wtf8.h"

namespace tilu {

bool IsStringType(Dword type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

Dword CountedSize(Dword type, const std::uint8_t* data, Dword size) {
    const bool uncountedNul =
        IsStringType(type) && data != nullptr && size > 0 && data[size - 1] != 0 && data[size] == 0;
    return uncountedNul ? size + 1 : size;
}

std::vector<std::uint8_t> AnsiData(Dword type, std::span<const std::uint8_t> stored) {
    if (!IsStringType(type)) {
        return {stored.begin(), stored.end()};
    }
    const std::string text = ToWtf8(FromUtf16Bytes(stored));
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> StoredData(Dword type, const std::uint8_t* data, Dword size) {
    if (data == nullptr) {
        return {};
    }
    const Dword counted = CountedSize(type, data, size);
    if (!IsStringType(type)) {
        return {data, data + counted};
    }
    return ToUtf16Bytes(FromWtf8(std::string_view(reinterpret_cast<const char*>(data), counted)));
}

Status CopyValueOut(Dword type, std::span<const std::uint8_t> bytes, std::uint8_t* data,
                    Dword& size) {
    const auto needed = static_cast<Dword>(bytes.size());
    Status status = kErrorSuccess;
    if (data != nullptr && needed > 0) {
        if (needed > size) {
            status = kErrorMoreData;
        } else {
            std::copy(bytes.begin(), bytes.end(), data);
            if (IsStringType(type) && needed < size && data[needed - 1] != 0) {
                data[needed] = 0;
            }
        }
    }
    size = needed;
    return status;
}

Status CopyNameOut(std::string_view name, char* buffer, Dword& length) {
    if (name.size() >= length) {
        return kErrorMoreData;
    }
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = '\0';
    length = static_cast<Dword>(name.size());
    return kErrorSuccess;
}

}  // namespace tilu
