// The fixed texts: slot names and the status line forms.
#include <gtest/gtest.h>

#include "history/slots.h"
#include "history/status_line.h"
#include "tests/history/history_harness.h"

namespace tilu {
namespace {

TEST(Slots, HistoryKeyIsTheBrowsersTypedUrlsKey) {
    EXPECT_EQ(HistoryKeyPath,
              L"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs");
    EXPECT_EQ(SlotCount, 25);
}

TEST(Slots, NamesAreLowerCaseDecimalWithoutPadding) {
    struct Case {
        int slot;
        const wchar_t* name;
    };
    for (const Case& c :
         {Case{1, L"url1"}, Case{9, L"url9"}, Case{10, L"url10"}, Case{25, L"url25"}}) {
        EXPECT_EQ(SlotName(c.slot), c.name) << "slot " << c.slot;
    }
}

TEST(StatusLine, FiveFormsReadExactly) {
    struct Case {
        const char* moment;
        std::wstring text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"load", LoadStatus(0, 7), L"Elemento seleccionado: 0 de 7"},
        {"load, empty history", LoadStatus(0, 0), L"Elemento seleccionado: 0 de 0"},
        {"selection of the third", SelectionStatus(2, 7), L"Elemento seleccionado: 3 de 7"},
        {"selection of the only entry", SelectionStatus(0, 1), L"Elemento seleccionado: 1 de 1"},
        {"selection of nothing", SelectionStatus(-1, 7), L"Elemento seleccionado: 0 de 7"},
        {"selection of the 25th", SelectionStatus(24, 25), L"Elemento seleccionado: 25 de 25"},
        {"refresh", RefreshStatus(12), L"Elemento seleccionado: 0 de 12"},
        {"delete, two blanks", DeleteStatus(6), L"Elemento seleccionado: 0  de 6"},
        {"replace, one blank", ReplaceStatus(4), L"Elemento seleccionado: 0 de 4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, c.expected) << c.moment;
    }
}

}  // namespace
}  // namespace tilu
