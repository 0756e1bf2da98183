#include "tests/app/art_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tilu::test {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconEntrySize = 16;

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at + 2 > b.size()) {
        throw std::runtime_error("read past the end at " + std::to_string(at));
    }
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

std::int32_t S32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

std::uint8_t At(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at >= b.size()) {
        throw std::runtime_error("read past the end at " + std::to_string(at));
    }
    return b[at];
}

void CheckInside(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel outside the image");
    }
}

}  // namespace

std::string ToString(const Rgba& c) {
    return "rgba(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
           "," + std::to_string(c.a) + ")";
}

std::size_t Stride(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BitmapFile ParseBitmapFile(std::vector<std::uint8_t> bytes) {
    BitmapFile f;
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        throw std::runtime_error("not a BMP file");
    }
    f.byteSize = bytes.size();
    f.sizeField = U32(bytes, 2);
    f.pixelOffset = U32(bytes, 10);
    f.infoHeaderSize = U32(bytes, 14);
    f.width = S32(bytes, 18);
    f.height = S32(bytes, 22);
    f.planes = static_cast<int>(U16(bytes, 26));
    f.bitCount = static_cast<int>(U16(bytes, 28));
    f.compression = U32(bytes, 30);
    f.bytes = std::move(bytes);
    return f;
}

Rgba BitmapFile::Pixel(int x, int y) const {
    if (bitCount != 24 || compression != 0) {
        throw std::runtime_error("only uncompressed 24-bit pixels are read");
    }
    const int rows = height < 0 ? -height : height;
    CheckInside(x, y, width, rows);
    const int row = height > 0 ? rows - 1 - y : y;
    const std::size_t at = pixelOffset + row * Stride(width, 24) + x * 3;
    return {At(bytes, at + 2), At(bytes, at + 1), At(bytes, at), 255};
}

IconFile ParseIconFile(std::vector<std::uint8_t> bytes) {
    IconFile f;
    if (U16(bytes, 0) != 0) {
        throw std::runtime_error("reserved field of the icon directory is not 0");
    }
    f.type = static_cast<int>(U16(bytes, 2));
    const std::uint32_t count = U16(bytes, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t e = kIconDirSize + i * kIconEntrySize;
        IconImage img;
        // A stored 0 means 256 pixels.
        img.entryWidth = At(bytes, e) == 0 ? 256 : At(bytes, e);
        img.entryHeight = At(bytes, e + 1) == 0 ? 256 : At(bytes, e + 1);
        img.entryColourCount = At(bytes, e + 2);
        img.entryPlanesOrHotspotX = static_cast<int>(U16(bytes, e + 4));
        img.entryBitCountOrHotspotY = static_cast<int>(U16(bytes, e + 6));
        img.entryByteSize = U32(bytes, e + 8);
        const std::uint32_t offset = U32(bytes, e + 12);
        if (offset + std::size_t{img.entryByteSize} > bytes.size()) {
            throw std::runtime_error("image " + std::to_string(i) + " reaches past the file");
        }
        img.data.assign(bytes.begin() + offset, bytes.begin() + offset + img.entryByteSize);
        if (U32(img.data, 0) != kInfoHeaderSize) {
            throw std::runtime_error("image " + std::to_string(i) + " is not a DIB (a PNG?)");
        }
        img.width = S32(img.data, 4);
        img.height = S32(img.data, 8);
        img.bitCount = static_cast<int>(U16(img.data, 14));
        img.compression = U32(img.data, 16);
        if (img.bitCount <= 8) {
            std::uint32_t colours = U32(img.data, 32);
            if (colours == 0) {
                colours = 1u << img.bitCount;
            }
            for (std::uint32_t c = 0; c < colours; ++c) {
                const std::size_t p = kInfoHeaderSize + c * 4;
                img.palette.push_back({At(img.data, p + 2), At(img.data, p + 1), At(img.data, p)});
            }
        }
        f.images.push_back(std::move(img));
    }
    return f;
}

Rgba IconImage::Pixel(int x, int y) const {
    const int h = height / 2;
    CheckInside(x, y, width, h);
    const int row = h - 1 - y;  // both halves are stored bottom-up
    const std::size_t colourStart = kInfoHeaderSize + palette.size() * 4;
    const std::size_t colourRow = colourStart + row * Stride(width, bitCount);
    const std::size_t maskStart = colourStart + h * Stride(width, bitCount);
    const std::size_t maskByte = maskStart + row * Stride(width, 1) + x / 8;
    const bool masked = (At(data, maskByte) >> (7 - x % 8)) & 1;

    Rgba c;
    switch (bitCount) {
        case 1:
        case 4:
        case 8: {
            const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
            const int shift = 8 - bitCount - static_cast<int>(bit % 8);
            const int index = (At(data, colourRow + bit / 8) >> shift) & ((1 << bitCount) - 1);
            if (index >= static_cast<int>(palette.size())) {
                throw std::runtime_error("palette index out of range");
            }
            c = palette[index];
            break;
        }
        case 24:
        case 32: {
            const std::size_t at = colourRow + x * (bitCount / 8);
            c = {At(data, at + 2), At(data, at + 1), At(data, at), 255};
            if (bitCount == 32) {
                c.a = At(data, at + 3);
            }
            break;
        }
        default:
            throw std::runtime_error("unexpected bit count " + std::to_string(bitCount));
    }
    if (bitCount != 32 && masked) {
        c.a = 0;
    }
    return c;
}

}  // namespace tilu::test
