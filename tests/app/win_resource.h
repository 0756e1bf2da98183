// Small owners and readers for Windows resources in the tests: modules, icons and the raw bytes
// of a resource.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/layer/gdi.h"

namespace tilu::test {

struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// A module loaded for its resources only.
using ResourceModule = ui::UniqueHandle<HMODULE, LibraryDeleter>;

inline ResourceModule LoadResourceModule(const std::wstring& path) {
    return ResourceModule(LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// An icon or cursor handle and the bitmaps GetIconInfo hands out for it.
class IconHandle {
public:
    explicit IconHandle(HICON icon) : icon_(icon) {
        if (icon_ && GetIconInfo(icon_.get(), &info_)) {
            colour_.reset(info_.hbmColor);
            mask_.reset(info_.hbmMask);
            hasInfo_ = true;
        }
    }

    explicit operator bool() const { return hasInfo_; }
    const ICONINFO& info() const { return info_; }

    // Width and height of the image: from the colour bitmap, or for a monochrome image from the
    // mask, which holds the AND and XOR halves one above the other.
    SIZE Size() const {
        BITMAP bm{};
        if (info_.hbmColor) {
            GetObjectW(info_.hbmColor, sizeof bm, &bm);
            return {bm.bmWidth, bm.bmHeight};
        }
        GetObjectW(info_.hbmMask, sizeof bm, &bm);
        return {bm.bmWidth, bm.bmHeight / 2};
    }

private:
    ui::UniqueIcon icon_;
    ICONINFO info_{};
    ui::UniqueBitmap colour_, mask_;
    bool hasInfo_ = false;
};

// The bytes of one resource, or nothing when the module lacks it.
inline std::string_view ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return {};
    }
    return {static_cast<const char*>(bytes), SizeofResource(module, found)};
}

// One image of an icon group as the group's directory lists it.
struct GroupIconEntry {
    int width = 0, height = 0, bitCount = 0, id = 0;
};

// The entries of an RT_GROUP_ICON resource.
inline std::vector<GroupIconEntry> GroupIconEntries(std::string_view group) {
    constexpr std::size_t kHeader = 6, kEntry = 14;
    std::vector<GroupIconEntry> entries;
    if (group.size() < kHeader) {
        return entries;
    }
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(group[at]); };
    auto word = [&](std::size_t at) { return byte(at) | byte(at + 1) << 8; };
    const int count = word(4);
    for (int i = 0; i < count && kHeader + (i + 1) * kEntry <= group.size(); ++i) {
        const std::size_t e = kHeader + i * kEntry;
        entries.push_back(
            {byte(e) ? byte(e) : 256, byte(e + 1) ? byte(e + 1) : 256, word(e + 6), word(e + 12)});
    }
    return entries;
}

}  // namespace tilu::test
