#include "registry/ansi_value.h"

#include <algorithm>

namespace tilu {

bool IsStringType(Dword type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

Dword CountedSize(Dword type, const std::uint8_t* data, Dword size) {
    const bool uncountedNul =
        IsStringType(type) && data != nullptr && size > 0 && data[size - 1] != 0 && data[size] == 0;
    return uncountedNul ? size + 1 : size;
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
