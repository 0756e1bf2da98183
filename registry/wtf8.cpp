// wchar_t is UTF-16 on Windows and holds whole code points elsewhere; both take lone surrogates.
#include "registry/wtf8.h"

#include <cstdint>
#include <cwchar>

namespace tilu {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr bool kUtf16 = WCHAR_MAX <= 0xFFFF;

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void Append(std::string& out, char32_t c) {
    if (c > kMaxCodePoint) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one sequence at `pos` and advances past it. A malformed sequence yields one U+FFFD for
// its longest valid start (its "maximal subpart"), as MultiByteToWideChar gives. Unlike UTF-8,
// ED A0..BF (a surrogate) is a valid start.
char32_t DecodeOne(std::string_view bytes, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(bytes[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t continuation = 0;
    char32_t c = 0;
    // The range of the first continuation byte excludes overlong forms and values above
    // U+10FFFF; later ones are always 0x80 to 0xBF.
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation = 1;
        c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation = 2;
        c = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation = 3;
        c = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return kReplacement;
    }
    for (std::size_t i = 0; i < continuation; ++i) {
        if (pos == bytes.size()) {
            return kReplacement;
        }
        const auto next = static_cast<std::uint8_t>(bytes[pos]);
        if (next < low || next > high) {
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3Fu);
        ++pos;
        low = 0x80;
        high = 0xBF;
    }
    return c;
}

void AppendWide(std::wstring& out, char32_t c) {
    if (kUtf16 && c > 0xFFFF) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

}  // namespace

std::string ToWtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        // A surrogate pair is one code point; a surrogate without its partner stands alone.
        if (IsHighSurrogate(c) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        Append(out, c);
    }
    return out;
}

std::wstring FromWtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        AppendWide(out, DecodeOne(bytes, pos));
    }
    return out;
}

std::vector<std::uint8_t> ToUtf16Bytes(std::wstring_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    const auto append = [&](char32_t unit) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    };
    for (const wchar_t w : text) {
        auto c = static_cast<char32_t>(w);
        if (c > 0xFFFF) {
            c -= 0x10000;
            append(0xD800 + (c >> 10));
            append(0xDC00 + (c & 0x3FF));
        } else {
            append(c);
        }
    }
    return bytes;
}

std::wstring FromUtf16Bytes(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    const std::size_t count = bytes.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unitAt(i);
        if (!kUtf16 && IsHighSurrogate(c) && i + 1 < count && IsLowSurrogate(unitAt(i + 1))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(++i) - 0xDC00);
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}

}  // namespace tilu
