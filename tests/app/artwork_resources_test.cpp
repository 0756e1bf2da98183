// The artwork as the windows get it: loaded from the resources linked into this test program,
// the same object library the program links.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/resources/resource_ids.h"
#include "tests/app/art_icons.h"
#include "tests/app/win_resource.h"

namespace tilu::test {
namespace {

HINSTANCE Self() {
    return GetModuleHandleW(nullptr);
}

struct BitmapCase {
    const char* name;
    int id;
};

class FaceResource : public testing::TestWithParam<BitmapCase> {};

TEST_P(FaceResource, LoadsAs113By25With24Bits) {
    ui::UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(
        Self(), MAKEINTRESOURCEW(GetParam().id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_NE(bitmap.get(), nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 113);
    EXPECT_EQ(dib.dsBm.bmHeight, 25);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
}

INSTANTIATE_TEST_SUITE_P(Artwork, FaceResource,
                         testing::Values(BitmapCase{"Normal", IDB_FACE_NORMAL},
                                         BitmapCase{"Pulsado", IDB_FACE_PULSADO}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(HandPointerResource, LoadsAsACursorWithItsHotSpotAtTheFingerTip) {
    IconHandle cursor(static_cast<HICON>(
        LoadImageW(Self(), MAKEINTRESOURCEW(IDC_HAND_POINTER), IMAGE_CURSOR, 0, 0, 0)));
    ASSERT_TRUE(cursor);
    EXPECT_FALSE(cursor.info().fIcon);
    EXPECT_EQ(cursor.info().xHotspot, 7u);
    EXPECT_EQ(cursor.info().yHotspot, 3u);
    EXPECT_EQ(cursor.Size().cx, 32);
    EXPECT_EQ(cursor.Size().cy, 32);
}

class IconResource : public testing::TestWithParam<ArtIcon> {};

TEST_P(IconResource, GroupListsTheImages) {
    const auto entries =
        GroupIconEntries(ResourceBytes(Self(), MAKEINTRESOURCEW(GetParam().id), RT_GROUP_ICON));
    const auto& expected = GetParam().images;
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].width, expected[i].size) << "image " << i + 1;
        EXPECT_EQ(entries[i].height, expected[i].size) << "image " << i + 1;
        EXPECT_EQ(entries[i].bitCount, expected[i].bitCount) << "image " << i + 1;
    }
}

TEST_P(IconResource, LoadsAtEachOfItsSizes) {
    for (const ImageSpec& image : GetParam().images) {
        const int size = image.size;
        IconHandle icon(static_cast<HICON>(
            LoadImageW(Self(), MAKEINTRESOURCEW(GetParam().id), IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << size << " pixels";
        EXPECT_TRUE(icon.info().fIcon);
        EXPECT_EQ(icon.Size().cx, size);
        EXPECT_EQ(icon.Size().cy, size);
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, IconResource, testing::ValuesIn(kArtIcons),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tilu::test
