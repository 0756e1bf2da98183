// Small owners and readers for Windows resources in the tests: modules, icons, bitmaps and the
// raw bytes of a resource.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tilu::test {

// A module loaded for its resources only; freed on destruction.
class ResourceModule {
public:
    explicit ResourceModule(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceModule() {
        if (module_) {
            FreeLibrary(module_);
        }
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

// An icon or cursor handle and the bitmaps GetIconInfo hands out for it.
class IconHandle {
public:
    explicit IconHandle(HICON icon) : icon_(icon) {
        if (icon_ && GetIconInfo(icon_, &info_)) {
            hasInfo_ = true;
        }
    }
    ~IconHandle() {
        if (hasInfo_) {
            if (info_.hbmColor) {
                DeleteObject(info_.hbmColor);
            }
            if (info_.hbmMask) {
                DeleteObject(info_.hbmMask);
            }
        }
        if (icon_) {
            DestroyIcon(icon_);
        }
    }
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;

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
    HICON icon_;
    ICONINFO info_{};
    bool hasInfo_ = false;
};

// A GDI object, deleted on destruction.
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() {
        if (object_) {
            DeleteObject(object_);
        }
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    HGDIOBJ get() const { return object_; }

private:
    HGDIOBJ object_;
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
