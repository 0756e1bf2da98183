// The artwork files as committed: formats, sizes, image lists, the cursor's hot spot, and
// pixels that show each picture is what it should be.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "tests/app/art_file.h"
#include "tests/app/art_icons.h"

namespace tilu::test {
namespace {

const std::string kArtDir = TILU_ART_DIR;

constexpr int kFaceWidth = 113;
constexpr int kFaceHeight = 25;
constexpr std::size_t kFaceFileSize = 8554;
// Inside the two borders, above the two rows of the bar.
constexpr int kShadeTop = 2;
constexpr int kShadeBottom = kFaceHeight - 5;
constexpr int kShadeLeft = 2;
constexpr int kShadeRight = kFaceWidth - 3;

int Sum(const Rgba& c) {
    return c.r + c.g + c.b;
}

bool IsDarkBlue(const Rgba& c) {
    return c.b > c.r + 40 && c.b > c.g + 40 && Sum(c) < 300;
}
bool IsOrange(const Rgba& c) {
    return c.r > 220 && c.g >= 100 && c.g <= 190 && c.b < 80;
}
bool IsRed(const Rgba& c) {
    return c.r > 180 && c.g < 80 && c.b < 80;
}
bool IsBlue(const Rgba& c) {
    return c.b > 160 && c.r < 100 && c.g < 150;
}
bool IsGreen(const Rgba& c) {
    return c.g > 120 && c.r < 100 && c.b < 100;
}
bool IsWhite(const Rgba& c) {
    return c.r >= 250 && c.g >= 250 && c.b >= 250;
}
bool IsPaleBlue(const Rgba& c) {
    return c.b >= 235 && c.r < 225 && c.r >= 160 && c.g > c.r;
}
bool IsYellow(const Rgba& c) {
    return c.r > 220 && c.g > 160 && c.b < 120;
}
bool IsBlack(const Rgba& c) {
    return Sum(c) == 0;
}
bool IsPaper(const Rgba& c) {
    return c.r > 235 && c.g > 235 && c.b > 225;
}
bool IsReddishBrown(const Rgba& c) {
    return c.r > c.g + 60 && c.r > c.b + 60 && c.r < 200;
}

using ColourTest = bool (*)(const Rgba&);

BitmapFile Face(const std::string& name) {
    return ParseBitmapFile(ReadFileBytes(kArtDir + name));
}
IconFile Icon(const std::string& name) {
    return ParseIconFile(ReadFileBytes(kArtDir + name));
}

std::string TestName(const std::string& text) {
    std::string s;
    for (char ch : text) {
        s += (std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_');
    }
    return s;
}

// ------------------------------------------------------------------------------------------
// Button faces.

class FaceFile : public testing::TestWithParam<const char*> {};

TEST_P(FaceFile, IsAnUncompressed24BitBmpOfTheFaceSize) {
    const BitmapFile f = Face(GetParam());
    EXPECT_EQ(f.byteSize, kFaceFileSize);
    EXPECT_EQ(f.sizeField, kFaceFileSize);
    EXPECT_EQ(f.pixelOffset, 54u);
    EXPECT_EQ(f.infoHeaderSize, 40u);
    EXPECT_EQ(f.width, kFaceWidth);
    EXPECT_EQ(f.height, kFaceHeight);
    EXPECT_EQ(f.planes, 1);
    EXPECT_EQ(f.bitCount, 24);
    EXPECT_EQ(f.compression, 0u);  // BI_RGB
}

struct FramePixel {
    const char* what;
    int x, y;
    ColourTest is;
};

const FramePixel kFramePixels[] = {
    {"outer border, top", 56, 0, IsDarkBlue},
    {"outer border, bottom", 56, 24, IsDarkBlue},
    {"outer border, left", 0, 12, IsDarkBlue},
    {"outer border, right", 112, 12, IsDarkBlue},
    {"outer border, next to a corner", 1, 0, IsDarkBlue},
    {"inner border, top", 56, 1, IsOrange},
    {"inner border, bottom", 56, 23, IsOrange},
    {"inner border, left", 1, 12, IsOrange},
    {"inner border, right", 111, 12, IsOrange},
    {"bar, first segment, upper row", 15, 21, IsOrange},
    {"bar, first segment, lower row", 15, 22, IsOrange},
    {"bar, second segment, upper row", 42, 21, IsRed},
    {"bar, second segment, lower row", 42, 22, IsRed},
    {"bar, third segment, upper row", 69, 21, IsBlue},
    {"bar, third segment, lower row", 69, 22, IsBlue},
    {"bar, fourth segment, upper row", 97, 21, IsGreen},
    {"bar, fourth segment, lower row", 97, 22, IsGreen},
    {"bar, fourth segment, last pixel", 110, 22, IsGreen},
};

TEST_P(FaceFile, HasTheFrameAndTheBar) {
    const BitmapFile f = Face(GetParam());
    for (const FramePixel& p : kFramePixels) {
        const Rgba c = f.Pixel(p.x, p.y);
        EXPECT_TRUE(p.is(c)) << p.what << " at (" << p.x << ", " << p.y << ") is " << ToString(c);
    }
}

TEST_P(FaceFile, CornersAreSoftened) {
    const BitmapFile f = Face(GetParam());
    struct Corner {
        const char* what;
        int x, y, besideX;
    } const corners[] = {{"top left", 0, 0, 1},
                         {"top right", 112, 0, 111},
                         {"bottom left", 0, 24, 1},
                         {"bottom right", 112, 24, 111}};
    for (const Corner& c : corners) {
        const Rgba corner = f.Pixel(c.x, c.y);
        const Rgba border = f.Pixel(c.besideX, c.y);
        EXPECT_GT(Sum(corner), Sum(border) + 60) << c.what << ": " << ToString(corner);
        EXPECT_TRUE(corner.b >= corner.r && corner.b >= corner.g) << c.what << " is not bluish";
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, FaceFile, testing::Values("face-normal.bmp", "face-pulsado.bmp"),
                         [](const auto& param) { return TestName(param.param); });

bool InShading(int x, int y) {
    return x >= kShadeLeft && x <= kShadeRight && y >= kShadeTop && y <= kShadeBottom;
}

TEST(Faces, ShareTheSameFrame) {
    const BitmapFile normal = Face("face-normal.bmp");
    const BitmapFile pulsado = Face("face-pulsado.bmp");
    for (int y = 0; y < kFaceHeight; ++y) {
        for (int x = 0; x < kFaceWidth; ++x) {
            if (!InShading(x, y)) {
                ASSERT_EQ(normal.Pixel(x, y), pulsado.Pixel(x, y))
                    << "at (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(Faces, NormalShadesFromWhiteDownToPaleBlue) {
    const BitmapFile f = Face("face-normal.bmp");
    for (int x : {kShadeLeft, 56, kShadeRight}) {
        EXPECT_TRUE(IsWhite(f.Pixel(x, kShadeTop))) << ToString(f.Pixel(x, kShadeTop));
        EXPECT_TRUE(IsPaleBlue(f.Pixel(x, kShadeBottom))) << ToString(f.Pixel(x, kShadeBottom));
        for (int y = kShadeTop; y < kShadeBottom; ++y) {
            EXPECT_GE(Sum(f.Pixel(x, y)), Sum(f.Pixel(x, y + 1)))
                << "darker above at x " << x << ", y " << y;
        }
    }
}

TEST(Faces, PulsadoIsNormalWithTheShadingReversed) {
    const BitmapFile normal = Face("face-normal.bmp");
    const BitmapFile pulsado = Face("face-pulsado.bmp");
    for (int y = kShadeTop; y <= kShadeBottom; ++y) {
        for (int x = kShadeLeft; x <= kShadeRight; ++x) {
            ASSERT_EQ(pulsado.Pixel(x, y), normal.Pixel(x, kShadeBottom - (y - kShadeTop)))
                << "at (" << x << ", " << y << ")";
        }
    }
}

// ------------------------------------------------------------------------------------------
// Icons and the cursor.

struct IconCase {
    const char* file;
    int type;
    std::vector<ImageSpec> images;
};

// The icons of the artwork table, and the cursor.
std::vector<IconCase> IconCases() {
    std::vector<IconCase> cases;
    for (const ArtIcon& icon : kArtIcons) {
        cases.push_back({icon.file, kIconType, icon.images});
    }
    cases.push_back({"hand-pointer.cur", kCursorType, {{32, 1}}});
    return cases;
}

class IconFileImages : public testing::TestWithParam<IconCase> {};

TEST_P(IconFileImages, HoldExactlyTheListedImages) {
    const IconCase& expected = GetParam();
    const IconFile f = Icon(expected.file);
    EXPECT_EQ(f.type, expected.type);
    ASSERT_EQ(f.images.size(), expected.images.size());
    for (std::size_t i = 0; i < f.images.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const IconImage& img = f.images[i];
        const ImageSpec& want = expected.images[i];
        EXPECT_EQ(img.entryWidth, want.size);
        EXPECT_EQ(img.entryHeight, want.size);
        EXPECT_EQ(img.width, want.size);
        EXPECT_EQ(img.height, 2 * want.size);  // colour and mask
        EXPECT_EQ(img.bitCount, want.bitCount);
        EXPECT_EQ(img.compression, 0u);
        EXPECT_EQ(img.entryColourCount, want.bitCount < 8 ? 1 << want.bitCount : 0);
        if (expected.type == kIconType) {
            EXPECT_EQ(img.entryPlanesOrHotspotX, 1);
            EXPECT_EQ(img.entryBitCountOrHotspotY, want.bitCount);
        }
        const std::size_t paletteBytes = img.palette.size() * 4;
        EXPECT_LE(img.palette.size(), want.bitCount <= 8 ? 1u << want.bitCount : 0u);
        EXPECT_EQ(img.entryByteSize, 40 + paletteBytes +
                                         want.size * Stride(want.size, want.bitCount) +
                                         want.size * Stride(want.size, 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, IconFileImages, testing::ValuesIn(IconCases()),
                         [](const auto& param) { return TestName(param.param.file); });

struct PixelCase {
    const char* what;
    const char* file;
    std::size_t image;  // index in the file
    int x, y;
    ColourTest is;
};

bool IsTransparent(const Rgba& c) {
    return c.a == 0;
}

const PixelCase kPixelCases[] = {
    {"app icon 32: yellow folder", "app-icon.ico", 1, 4, 20, IsYellow},
    {"app icon 32: white clock face", "app-icon.ico", 1, 18, 24, IsWhite},
    {"app icon 32: clear corner", "app-icon.ico", 1, 0, 0, IsTransparent},
    {"app icon 16: yellow folder", "app-icon.ico", 0, 2, 8, IsYellow},
    {"app icon 16: white clock face", "app-icon.ico", 0, 8, 10, IsWhite},
    {"app icon 16: clear corner", "app-icon.ico", 0, 0, 15, IsTransparent},
    {"logo 48: yellow arrow", "logo.ico", 2, 42, 24, IsYellow},
    {"logo 48: white clock face", "logo.ico", 2, 20, 20, IsWhite},
    {"logo 48: clear corner", "logo.ico", 2, 0, 0, IsTransparent},
    {"logo 32: yellow arrow", "logo.ico", 1, 28, 16, IsYellow},
    {"logo 32: white clock face", "logo.ico", 1, 14, 14, IsWhite},
    {"logo 16: yellow arrow", "logo.ico", 0, 14, 8, IsYellow},
    {"logo 16: white clock face", "logo.ico", 0, 7, 6, IsWhite},
    {"question: blue disc", "question.ico", 0, 8, 24, IsBlue},
    {"question: white stroke", "question.ico", 0, 18, 18, IsWhite},
    {"question: white dot", "question.ico", 0, 24, 36, IsWhite},
    {"question: clear corner", "question.ico", 0, 0, 0, IsTransparent},
    {"notebook: left page", "notebook.ico", 0, 14, 33, IsPaper},
    {"notebook: cover", "notebook.ico", 0, 3, 38, IsReddishBrown},
    {"notebook: clear corner", "notebook.ico", 0, 0, 0, IsTransparent},
};

class ArtPixel : public testing::TestWithParam<PixelCase> {};

TEST_P(ArtPixel, ShowsThePicture) {
    const PixelCase& p = GetParam();
    const IconFile f = Icon(p.file);
    ASSERT_LT(p.image, f.images.size());
    const Rgba c = f.images[p.image].Pixel(p.x, p.y);
    EXPECT_TRUE(p.is(c)) << p.what << " at (" << p.x << ", " << p.y << ") is " << ToString(c);
}

INSTANTIATE_TEST_SUITE_P(Artwork, ArtPixel, testing::ValuesIn(kPixelCases),
                         [](const auto& param) { return TestName(param.param.what); });

TEST(Cross, EveryImageIsARedDiagonalCrossOnClearGround) {
    const IconFile f = Icon("cross.ico");
    for (std::size_t i = 0; i < f.images.size(); ++i) {
        const IconImage& img = f.images[i];
        const int n = img.width;
        SCOPED_TRACE(std::to_string(n) + " pixels, " + std::to_string(img.bitCount) + " bits");
        for (auto [x, y] :
             {std::pair{n / 2, n / 2}, {n / 4 + 1, n / 4 + 1}, {n - 2 - n / 4, n / 4 + 1}}) {
            EXPECT_TRUE(IsRed(img.Pixel(x, y)))
                << "arm at (" << x << ", " << y << ") is " << ToString(img.Pixel(x, y));
        }
        // Between the arms and in the corners: nothing, so it is an X and not a plus sign.
        for (auto [x, y] : {std::pair{n / 2, 1}, {1, n / 2}, {0, 0}, {n - 1, n - 1}}) {
            EXPECT_EQ(img.Pixel(x, y).a, 0) << "at (" << x << ", " << y << ")";
        }
    }
}

TEST(Cross, TrueColourImagesHaveSoftEdges) {
    for (const IconImage& img : Icon("cross.ico").images) {
        if (img.bitCount != 32) {
            continue;
        }
        int partial = 0;
        for (int y = 0; y < img.width; ++y) {
            for (int x = 0; x < img.width; ++x) {
                const int a = img.Pixel(x, y).a;
                partial += a > 0 && a < 255;
            }
        }
        EXPECT_GT(partial, 0) << img.width << " pixels";
    }
}

TEST(HandPointer, HotSpotIsTheFingerTip) {
    const IconFile f = Icon("hand-pointer.cur");
    ASSERT_EQ(f.images.size(), 1u);
    const IconImage& img = f.images[0];
    EXPECT_EQ(img.entryPlanesOrHotspotX, 7);
    EXPECT_EQ(img.entryBitCountOrHotspotY, 3);
    EXPECT_TRUE(IsBlack(img.Pixel(7, 3))) << ToString(img.Pixel(7, 3));
    EXPECT_NE(img.Pixel(7, 3).a, 0) << "the tip is drawn, not see-through";
    // The finger is the highest point of the hand: nothing above the tip's row.
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(img.Pixel(x, y).a, 0) << "at (" << x << ", " << y << ")";
        }
    }
    EXPECT_TRUE(IsWhite(img.Pixel(7, 6))) << "inside the finger";
    EXPECT_EQ(img.Pixel(3, 6).a, 0) << "left of the finger";
    EXPECT_EQ(img.Pixel(11, 6).a, 0) << "right of the finger";
}

TEST(HandPointer, HasTwoColoursBlackAndWhite) {
    const IconImage img = Icon("hand-pointer.cur").images.at(0);
    ASSERT_EQ(img.palette.size(), 2u);
    int black = 0, white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const Rgba c = img.Pixel(x, y);
            if (c.a != 0) {
                black += IsBlack(c);
                white += IsWhite(c);
                ASSERT_TRUE(IsBlack(c) || IsWhite(c)) << ToString(c);
            }
        }
    }
    EXPECT_GT(black, 50);   // the outline
    EXPECT_GT(white, 150);  // the hand inside it
}

}  // namespace
}  // namespace tilu::test
