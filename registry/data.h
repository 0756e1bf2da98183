// The loosely typed value that SetValue writes: nothing, text, bytes or a 32-bit integer.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tilu {

// Raised when a Data cannot be turned into the kind a value type asks for.
class DataConversionError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

class Data {
public:
    Data() = default;
    Data(std::wstring text) : value_(std::move(text)) {}
    Data(const wchar_t* text) : value_(std::wstring(text)) {}
    Data(std::vector<std::uint8_t> bytes) : value_(std::move(bytes)) {}
    Data(std::int32_t number) : value_(number) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }

    // Text form: nothing is empty text, a number its decimal form. Bytes do not convert.
    std::wstring ToText() const;
    // Bytes: only a byte array converts, and it must have an element at index 0.
    std::vector<std::uint8_t> ToBytes() const;
    // Signed 32-bit integer: nothing is 0, text must be a decimal number within range.
    std::int32_t ToInt32() const;

private:
    std::variant<std::monostate, std::wstring, std::vector<std::uint8_t>, std::int32_t> value_;
};

}  // namespace tilu
