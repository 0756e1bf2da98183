#include <gtest/gtest.h>

#include <string>

#include "registry/cqueryreg.h"

namespace tilu {
namespace {

struct RootCase {
    const char* name;
    std::wstring path;
    RootHandle defaultRoot;
    RootHandle root;
    std::wstring rest;
};

constexpr RootHandle kRoot7 = static_cast<RootHandle>(0x80000007u);

const RootCase kRootCases[] = {
    {"history path", L"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs",
     kHkeyUsers, kHkeyCurrentUser, L"Software\\Microsoft\\Internet Explorer\\TypedURLs"},
    {"full name ignores a bad default", L"HKEY_CURRENT_USER\\Software", 0, kHkeyCurrentUser,
     L"Software"},
    {"full HKEY_CLASSES_ROOT", L"HKEY_CLASSES_ROOT\\x", kHkeyUsers, kHkeyClassesRoot, L"x"},
    {"full HKEY_LOCAL_MACHINE", L"HKEY_LOCAL_MACHINE\\x", 0, kHkeyLocalMachine, L"x"},
    {"full HKEY_USERS", L"HKEY_USERS\\x", 0, kHkeyUsers, L"x"},
    {"full HKEY_PERFORMANCE_DATA", L"HKEY_PERFORMANCE_DATA\\x", 0, kHkeyPerformanceData, L"x"},
    {"full HKEY_CURRENT_CONFIG", L"HKEY_CURRENT_CONFIG\\x", 0, kHkeyCurrentConfig, L"x"},
    {"full HKEY_DYN_DATA", L"HKEY_DYN_DATA\\x", 0, kHkeyDynData, L"x"},
    {"full name alone", L"HKEY_LOCAL_MACHINE", kHkeyCurrentUser, kHkeyLocalMachine, L""},
    {"full name and backslash", L"HKEY_CURRENT_USER\\", 0, kHkeyCurrentUser, L""},
    {"HKCR", L"HKCR\\x", kHkeyUsers, kHkeyClassesRoot, L"x"},
    {"HKCU", L"HKCU\\Software", 0, kHkeyCurrentUser, L"Software"},
    {"HKLM", L"HKLM\\x", 0, kHkeyLocalMachine, L"x"},
    {"HKU", L"HKU\\Test", 0, kHkeyUsers, L"Test"},
    {"HKCC", L"HKCC\\x", 0, kHkeyCurrentConfig, L"x"},
    {"HKDD", L"HKDD\\x", 0, kHkeyDynData, L"x"},
    {"HKPD alone", L"HKPD\\", 0, kHkeyPerformanceData, L""},
    {"only the first prefix goes", L"HKCU\\HKLM\\x", 0, kHkeyCurrentUser, L"HKLM\\x"},
    {"lower-case prefix", L"hkcu\\Software", kHkeyLocalMachine, kHkeyLocalMachine,
     L"hkcu\\Software"},
    {"lower-case full name", L"hkey_current_user\\Software", kHkeyLocalMachine, kHkeyLocalMachine,
     L"hkey_current_user\\Software"},
    {"prefix without backslash", L"HKCU", kHkeyLocalMachine, kHkeyLocalMachine, L"HKCU"},
    {"prefix with a longer word", L"HKCUX\\y", kHkeyUsers, kHkeyUsers, L"HKCUX\\y"},
    {"HKEY_ later in the path", L"HKCU\\Software\\HKEY_X", kHkeyCurrentUser, kHkeyClassesRoot,
     L"Software\\HKEY_X"},
    {"unknown full name", L"HKEY_BOGUS\\x", kHkeyCurrentUser, kHkeyClassesRoot, L"x"},
    {"no root, good default", L"Software\\Classes", kHkeyLocalMachine, kHkeyLocalMachine,
     L"Software\\Classes"},
    {"no root, lowest default", L"Software\\Classes", kHkeyClassesRoot, kHkeyClassesRoot,
     L"Software\\Classes"},
    {"no root, highest default", L"Software\\Classes", kHkeyDynData, kHkeyDynData,
     L"Software\\Classes"},
    {"no root, default 0", L"Software\\Classes", 0, kHkeyClassesRoot, L"Software\\Classes"},
    {"no root, default 5", L"Software\\Classes", 5, kHkeyClassesRoot, L"Software\\Classes"},
    {"no root, default 0x80000007", L"Software\\Classes", kRoot7, kHkeyClassesRoot,
     L"Software\\Classes"},
    {"no root, default INT32_MAX", L"Software\\Classes", 0x7FFFFFFF, kHkeyClassesRoot,
     L"Software\\Classes"},
    {"empty path", L"", kHkeyCurrentUser, kHkeyCurrentUser, L""},
    {"leading backslash skips the range test", L"\\HKEY_CURRENT_USER\\Software", 5, 5,
     L"HKEY_CURRENT_USER\\Software"},
    {"leading backslash, root default", L"\\HKEY_CURRENT_USER\\Software", kHkeyLocalMachine,
     kHkeyLocalMachine, L"HKEY_CURRENT_USER\\Software"},
};

TEST(ResolveRootKey, RootAndSubkeyPath) {
    for (const RootCase& c : kRootCases) {
        SCOPED_TRACE(c.name);
        std::wstring path = c.path;
        EXPECT_EQ(cQueryReg::ResolveRootKey(path, c.defaultRoot), c.root);
        EXPECT_EQ(path, c.rest);
    }
}

}  // namespace
}  // namespace tilu
