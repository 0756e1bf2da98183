// The resources of the built executable, read back the way Windows and the shell read them:
// version information, the first icon group and the manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/app/art_icons.h"
#include "tests/app/win_resource.h"

namespace tilu::test {
namespace {

// The program's path as the build knows it; under Wine a Unix path is reached through Z:.
std::wstring ProgramPath() {
    const std::string path = TILU_PROGRAM_PATH;
    std::wstring wide(path.begin(), path.end());  // the build tree's path is ASCII
    return path.starts_with('/') ? L"Z:" + wide : wide;
}

class ProgramVersion : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = ProgramPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version information in the program";
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data_.data()));
    }

    // The value at a VerQueryValue path, or nullptr.
    const void* Query(const std::wstring& subBlock, UINT* length) {
        void* value = nullptr;
        *length = 0;
        if (!VerQueryValueW(data_.data(), subBlock.c_str(), &value, length)) {
            return nullptr;
        }
        return value;
    }

    std::wstring String(const wchar_t* name) {
        UINT length = 0;
        const auto* text = static_cast<const wchar_t*>(
            Query(std::wstring(L"\\StringFileInfo\\0C0A04B0\\") + name, &length));
        return text ? std::wstring(text) : L"<missing>";
    }

private:
    std::string data_;
};

TEST_F(ProgramVersion, FixedFileAndProductVersionAre1000) {
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(ProgramVersion, HasOneTranslationSpanishSpainInUnicode) {
    UINT length = 0;
    const auto* translation =
        static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0C0A);
    EXPECT_EQ(translation[1], 1200);
}

struct VersionString {
    const wchar_t* name;
    const wchar_t* text;
};

// The credit texts are our own; they are checked whole too, since their accents and the
// copyright sign show whether the resource compiler read the script as UTF-8.
const VersionString kStrings[] = {
    {L"FileVersion", L"1.00"},
    {L"ProductVersion", L"1.00"},
    {L"ProductName", L"Administrador de historial Tilu"},
    {L"InternalName", L"Administrador de historial Tilu"},
    {L"OriginalFilename", L"Administrador de historial Tilu.exe"},
    {L"FileDescription",
     L"Programa para quitar elementos del historial de entradas de la barra de direcciones de "
     L"Internet Explorer. Diseño y programación: equipo Tilu."},
    {L"Comments",
     L"Escrito en C++ sobre la API de Windows por el equipo Tilu. Gracias a quienes lo prueban y "
     L"nos cuentan qué falla."},
    {L"CompanyName", L"Equipo Tilu"},
    {L"LegalCopyright", L"© Equipo Tilu. Se puede copiar y compartir libremente."},
    {L"LegalTrademarks", L"Tilu es el nombre del equipo que lo hizo; no es una marca registrada."},
};

TEST_F(ProgramVersion, StringsAreExact) {
    for (const VersionString& s : kStrings) {
        EXPECT_EQ(String(s.name), s.text)
            << "entry " << testing::PrintToString(std::wstring(s.name));
    }
}

// The executable loaded for its resources.
class ProgramModule : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(program_.get(), nullptr); }

    HMODULE program() const { return program_.get(); }

private:
    ResourceModule program_ = LoadResourceModule(ProgramPath());
};

using ProgramIcon = ProgramModule;
using ProgramManifest = ProgramModule;

TEST_F(ProgramIcon, FirstIconGroupIsTheApplicationIcon) {
    LPCWSTR first = nullptr;
    EnumResourceNamesW(
        program(), RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            *reinterpret_cast<LPCWSTR*>(found) = name;
            return FALSE;  // the first is enough
        },
        reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(first != nullptr && IS_INTRESOURCE(first));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(first), static_cast<ULONG_PTR>(kApplicationIcon.id));

    const auto entries = GroupIconEntries(
        ResourceBytes(program(), MAKEINTRESOURCEW(kApplicationIcon.id), RT_GROUP_ICON));
    const auto& expected = kApplicationIcon.images;
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].width, expected[i].size) << "image " << i + 1;
        EXPECT_EQ(entries[i].bitCount, expected[i].bitCount) << "image " << i + 1;
    }
}

// Picks and builds the image as LoadImage does, from the executable's own resource data.
TEST_F(ProgramIcon, LoadsAt16And32Pixels) {
    const std::string_view group =
        ResourceBytes(program(), MAKEINTRESOURCEW(kApplicationIcon.id), RT_GROUP_ICON);
    ASSERT_FALSE(group.empty());
    for (const ImageSpec& image : kApplicationIcon.images) {
        const int size = image.size;
        SCOPED_TRACE(std::to_string(size) + " pixels");
        const int id =
            LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(const_cast<char*>(group.data())),
                                        TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0);
        const std::string_view bytes = ResourceBytes(program(), MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_FALSE(bytes.empty());
        IconHandle icon(CreateIconFromResourceEx(
            reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
            static_cast<DWORD>(bytes.size()), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR));
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon.Size().cx, size);
        EXPECT_EQ(icon.Size().cy, size);
    }
}

// The manifest is the one this test program carries too, so what holds here holds there.
TEST_F(ProgramManifest, IsTheSharedManifest) {
    const std::string_view theirs = ResourceBytes(program(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    const std::string_view ours =
        ResourceBytes(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(theirs, ours);
}

TEST_F(ProgramManifest, AsksForWhatTheProgramNeeds) {
    const std::string manifest(ResourceBytes(program(), MAKEINTRESOURCEW(1), RT_MANIFEST));
    const char* const kFragments[] = {
        "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8<",
        ">PerMonitorV2",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "level=\"asInvoker\"",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
    };
    for (const char* fragment : kFragments) {
        EXPECT_NE(manifest.find(fragment), std::string::npos) << "missing: " << fragment;
    }
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
    EXPECT_EQ(manifest.find("highestAvailable"), std::string::npos);
}

TEST_F(ProgramManifest, GivesTheProcessTheUtf8CodePage) {
    EXPECT_EQ(GetACP(), CP_UTF8);
}

}  // namespace
}  // namespace tilu::test
