// Reads the artwork files as Windows reads them: BMP files, and icon and cursor files with their
// images, down to single pixels. Portable, so the files are checked without Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tilu::test {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

// Prints as "rgba(r,g,b,a)" in failure messages.
std::string ToString(const Rgba& colour);
inline void PrintTo(const Rgba& colour, std::ostream* out) {
    *out << ToString(colour);
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Bytes in one row of a DIB: rows are padded to a multiple of four bytes.
std::size_t Stride(int width, int bitCount);

// A BMP file: its headers and pixels, with (0, 0) at the top left.
struct BitmapFile {
    std::size_t byteSize = 0;          // size of the file itself
    std::uint32_t sizeField = 0;       // size the file header claims
    std::uint32_t pixelOffset = 0;     // where the pixels start
    std::uint32_t infoHeaderSize = 0;  // 40 for a BITMAPINFOHEADER
    int width = 0;
    int height = 0;  // positive: stored bottom-up
    int planes = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;

    Rgba Pixel(int x, int y) const;

    std::vector<std::uint8_t> bytes;
};

// Parses an uncompressed 24-bit BMP file; throws std::runtime_error on anything else.
BitmapFile ParseBitmapFile(std::vector<std::uint8_t> bytes);

// One image of an icon or cursor file, as its directory entry and its own header give it.
struct IconImage {
    // Directory entry.
    int entryWidth = 0, entryHeight = 0;
    int entryColourCount = 0;
    int entryPlanesOrHotspotX = 0;  // planes for an icon, hot spot x for a cursor
    int entryBitCountOrHotspotY = 0;
    std::uint32_t entryByteSize = 0;
    // The image's BITMAPINFOHEADER (its height counts the colour and mask halves).
    int width = 0, height = 0, bitCount = 0;
    std::uint32_t compression = 0;
    std::vector<Rgba> palette;

    // The pixel at (x, y) from the top left: alpha 0 where the AND mask (or, in 32-bit images,
    // the alpha channel) makes it transparent.
    Rgba Pixel(int x, int y) const;

    std::vector<std::uint8_t> data;  // the image's bytes, from its header on
};

// The type field of an icon file's directory.
constexpr int kIconType = 1;
constexpr int kCursorType = 2;

struct IconFile {
    int type = 0;  // kIconType or kCursorType
    std::vector<IconImage> images;
};

// Parses an .ico or .cur file; throws std::runtime_error when it is malformed.
IconFile ParseIconFile(std::vector<std::uint8_t> bytes);

}  // namespace tilu::test
