// The real program as a screen reader sees it, from another process: the element tree of each
// window through MSAA, hit-testing of its commands, and the road of one request run through
// default actions alone, with no mouse or keyboard input; then the same elements as a UI
// Automation client (Narrator) reads them. Works on the history key of the test's own Wine prefix.
#include <windows.h>

#include <oleacc.h>
// Not <uiautomation.h>: mingw-w64 10's does not compile as C++.
#include <uiautomationclient.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "history/slots.h"
#include "history/status_line.h"

namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kHistorySubkey[] = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr wchar_t kFormClass[] = L"TiluForm";
constexpr wchar_t kMainCaption[] = L"Administrador de historial - Tilu";
constexpr wchar_t kMensajeCaption[] = L"Mensaje - studio Tilu";
constexpr wchar_t kForm2Caption[] = L"Modificar Dirección";
constexpr wchar_t kPress[] = L"Presionar";

// The history key, emptied before and after the test.
class HistoryKey {
public:
    HistoryKey() { Delete(); }
    ~HistoryKey() { Delete(); }
    HistoryKey(const HistoryKey&) = delete;
    HistoryKey& operator=(const HistoryKey&) = delete;

    void Seed(const std::vector<std::wstring>& texts) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kHistorySubkey, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        for (size_t i = 0; i < texts.size(); ++i) {
            const std::wstring name = tilu::SlotName(static_cast<int>(i) + 1);
            RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(texts[i].c_str()),
                           static_cast<DWORD>((texts[i].size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }

    // The texts of url1, url2, ... up to the first missing slot.
    std::vector<std::wstring> Read() const {
        std::vector<std::wstring> texts;
        for (int slot = 1; slot <= tilu::SlotCount; ++slot) {
            wchar_t text[512];
            DWORD size = sizeof text;
            if (RegGetValueW(HKEY_CURRENT_USER, kHistorySubkey, tilu::SlotName(slot).c_str(),
                             RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
                break;
            }
            texts.emplace_back(text);
        }
        return texts;
    }

private:
    static void Delete() { RegDeleteTreeW(HKEY_CURRENT_USER, kHistorySubkey); }
};

// The program under test, ended at the latest when the test ends.
class Program {
public:
    Program() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" TILU_PROGRAM_PATH L"\"";
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info_);
    }
    ~Program() {
        if (started_) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info_.hProcess, 1);
            }
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return started_; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool Ended(DWORD milliseconds) const {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// Polls, pumping this thread's messages (the WinEvent hook's), until the condition holds.
bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Waits for a visible window of the program with this caption; `withList`: the main window,
// which shares its caption with the welcome window.
HWND AwaitForm(const wchar_t* caption, bool withList = false) {
    HWND w = nullptr;
    WaitUntil([&] {
        for (w = FindWindowExW(nullptr, nullptr, kFormClass, caption); w;
             w = FindWindowExW(nullptr, w, kFormClass, caption)) {
            const bool hasList = FindWindowExW(w, nullptr, L"ListBox", nullptr) != nullptr;
            if (IsWindowVisible(w) && hasList == withList) {
                return true;
            }
        }
        return false;
    });
    return w;
}

VARIANT Id(LONG id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// One element as a client reaches it: an object of its own, or a simple child of its parent.
struct Element {
    ComPtr<IAccessible> object;
    LONG id = CHILDID_SELF;

    std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
        BSTR text = nullptr;
        std::wstring result;
        if (SUCCEEDED((object.Get()->*get)(Id(id), &text)) && text) {
            result = text;
        }
        SysFreeString(text);
        return result;
    }
    std::wstring Name() const { return Text(&IAccessible::get_accName); }
    LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
        VARIANT v{};
        return SUCCEEDED((object.Get()->*get)(Id(id), &v)) && v.vt == VT_I4 ? v.lVal : -1;
    }
    RECT Location() const {
        long x = 0, y = 0, w = 0, h = 0;
        object->accLocation(&x, &y, &w, &h, Id(id));
        return RECT{x, y, x + w, y + h};
    }
    HRESULT Press() const { return object->accDoDefaultAction(Id(id)); }
};

ComPtr<IAccessible> ClientOf(HWND hwnd) {
    ComPtr<IAccessible> client;
    AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(client.GetAddressOf()));
    return client;
}

std::vector<Element> ChildrenOf(const ComPtr<IAccessible>& parent) {
    std::vector<Element> children;
    long count = 0;
    parent->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id) {
        ComPtr<IDispatch> dispatch;
        ComPtr<IAccessible> object;
        if (parent->get_accChild(Id(id), dispatch.GetAddressOf()) == S_OK && dispatch &&
            SUCCEEDED(dispatch.As(&object))) {
            children.push_back({object, CHILDID_SELF});
        } else {
            children.push_back({parent, id});
        }
    }
    return children;
}

// What one element must show. Location in pixels of the window's client area at 96 DPI. No
// name: a child window served by the system's proxy, which says what it likes of role, name and
// state (Wine's list box proxy calls itself a client area, Windows' a list), and places it
// within the design's box (with or without the border).
struct Expected {
    std::optional<LONG> role;
    std::optional<std::wstring> name;
    RECT where;
    std::optional<LONG> state;
    std::wstring description{};
    std::wstring action{};
};

constexpr LONG kText = STATE_SYSTEM_READONLY;
constexpr LONG kButton = STATE_SYSTEM_FOCUSABLE;

RECT Px(LONG left, LONG top, LONG width, LONG height) {
    return RECT{left, top, left + width, top + height};
}

// Reads the window's tree and checks it against the table, then hit-tests the centre of every
// command. Returns the elements.
std::vector<Element> CheckTree(HWND window, const std::vector<Expected>& table) {
    const ComPtr<IAccessible> client = ClientOf(window);
    EXPECT_TRUE(client) << "no accessible object for the window";
    if (!client) {
        return {};
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const std::vector<Element> children = ChildrenOf(client);
    EXPECT_EQ(children.size(), table.size());
    for (size_t i = 0; i < children.size() && i < table.size(); ++i) {
        const Element& e = children[i];
        const Expected& want = table[i];
        SCOPED_TRACE(testing::Message() << "element " << i + 1);
        if (want.role) {
            EXPECT_EQ(e.Number(&IAccessible::get_accRole), *want.role);
        }
        if (want.name) {
            EXPECT_EQ(e.Name(), *want.name);
        }
        if (want.state) {
            EXPECT_EQ(e.Number(&IAccessible::get_accState), *want.state);
        }
        RECT at = e.Location();
        OffsetRect(&at, -origin.x, -origin.y);
        RECT inside{};
        const bool placed =
            want.name ? EqualRect(&at, &want.where)
                      : IntersectRect(&inside, &at, &want.where) && EqualRect(&inside, &at);
        EXPECT_TRUE(placed) << at.left << "," << at.top << " " << at.right - at.left << "x"
                            << at.bottom - at.top;
        EXPECT_EQ(e.Text(&IAccessible::get_accDescription), want.description);
        EXPECT_EQ(e.Text(&IAccessible::get_accDefaultAction), want.action);
        if (want.action.empty()) {
            continue;
        }
        VARIANT hit{};
        const long x = origin.x + (want.where.left + want.where.right) / 2;
        const long y = origin.y + (want.where.top + want.where.bottom) / 2;
        EXPECT_EQ(client->accHitTest(x, y, &hit), S_OK);
        if (hit.vt == VT_DISPATCH) {
            ComPtr<IAccessible> object;
            hit.pdispVal->QueryInterface(IID_PPV_ARGS(&object));
            hit.pdispVal->Release();
            EXPECT_EQ((Element{object, CHILDID_SELF}.Name()), e.Name()) << "hit test";
        } else {
            EXPECT_EQ(hit.vt, VT_I4);
            EXPECT_EQ(hit.lVal, static_cast<LONG>(i + 1)) << "hit test";
        }
    }
    return children;
}

// Selects a list entry as the user's arrow keys would: the list box's selection, then its
// LBN_SELCHANGE notification to the window, which a program selecting by message does not get.
void SelectEntry(HWND mainWindow, int index) {
    const HWND list = FindWindowExW(mainWindow, nullptr, L"ListBox", nullptr);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// Alerts and name changes raised by any process, as a screen reader receives them.
struct Event {
    DWORD event;
    HWND hwnd;
    LONG child;
    bool operator==(const Event&) const = default;
};

std::vector<Event>& Events() {
    static std::vector<Event> events;
    return events;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                      DWORD) {
    if ((event == EVENT_SYSTEM_ALERT || event == EVENT_OBJECT_NAMECHANGE) &&
        object == OBJID_CLIENT) {
        Events().push_back({event, hwnd, child});
    }
}

bool Raised(const Event& event) {
    return WaitUntil(
        [&] { return std::find(Events().begin(), Events().end(), event) != Events().end(); });
}

class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(ScreenReader, ReadsEveryWindowAndRunsTheRoadOfOneRequestByDefaultActions) {
    const std::vector<std::wstring> entries{L"http://uno.example/",   L"http://dos.example/",
                                            L"http://tres.example/",  L"http://cuatro.example/",
                                            L"http://cinco.example/", L"http://seis.example/",
                                            L"http://siete.example/"};
    const HistoryKey key;
    key.Seed(entries);
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr,
                                               OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    const Program program;
    ASSERT_TRUE(program.Started());

    // The welcome window; "Salir", first in tab order, has the focus.
    const HWND welcome = AwaitForm(kMainCaption);
    ASSERT_TRUE(welcome);
    const std::vector<Element> presentación = CheckTree(
        welcome,
        {{ROLE_SYSTEM_STATICTEXT, L"Bienvenido al Administrador de historial.", Px(88, 16, 161, 33),
          kText},
         {ROLE_SYSTEM_STATICTEXT, L"Por el equipo Tilu", Px(88, 56, 161, 17), kText},
         {ROLE_SYSTEM_PUSHBUTTON, L"Salir", Px(8, 96, 113, 25), kButton | STATE_SYSTEM_FOCUSED, L"",
          kPress},
         {ROLE_SYSTEM_PUSHBUTTON, L"Aceptar", Px(144, 96, 113, 25), kButton, L"", kPress}});
    ASSERT_EQ(presentación.size(), 4u);

    // "Aceptar": the main window opens, the welcome window goes.
    EXPECT_EQ(presentación[3].Press(), S_OK);
    const HWND main = AwaitForm(kMainCaption, true);
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(welcome); }));

    // An element of the unloaded window answers, harmlessly, that it is gone.
    EXPECT_TRUE(FAILED(presentación[2].object->accDoDefaultAction(Id(CHILDID_SELF))));
    BSTR gone = nullptr;
    EXPECT_TRUE(FAILED(presentación[2].object->get_accName(Id(CHILDID_SELF), &gone)));
    EXPECT_EQ(gone, nullptr);
    EXPECT_TRUE(program.Running());

    const auto mainTable = [](const std::wstring& status) {
        return std::vector<Expected>{
            {ROLE_SYSTEM_LINK, L"aquí", Px(279, 38, 30, 17), STATE_SYSTEM_LINKED,
             L"Para actualizar esta lista, haz clic", L"Saltar"},
            {std::nullopt, std::nullopt, Px(15, 70, 322, 106), std::nullopt},
            {ROLE_SYSTEM_PUSHBUTTON, L"Modificar", Px(15, 194, 153, 49), 0, L"", kPress},
            {ROLE_SYSTEM_PUSHBUTTON, L"Borrar dirección", Px(183, 194, 153, 49), 0, L"", kPress},
            {ROLE_SYSTEM_STATICTEXT, status, Px(6, 268, 345, 17), kText}};
    };
    std::vector<Element> form1 = CheckTree(main, mainTable(tilu::LoadStatus(0, 7)));
    ASSERT_EQ(form1.size(), 5u);
    const Element& modify = form1[2];
    const Element& remove = form1[3];
    const Element& status = form1[4];

    // The third of seven entries deleted; the status line says so when it changes.
    SelectEntry(main, 2);
    EXPECT_TRUE(Raised({EVENT_OBJECT_NAMECHANGE, main, status.id}));
    EXPECT_EQ(status.Name(), tilu::SelectionStatus(2, 7));
    EXPECT_EQ(remove.Press(), S_OK);
    std::vector<std::wstring> six = entries;
    six.erase(six.begin() + 2);
    EXPECT_TRUE(WaitUntil([&] { return key.Read() == six; }));
    EXPECT_TRUE(WaitUntil([&] { return status.Name() == tilu::DeleteStatus(6); }));

    // "Modificar" with nothing selected: the message, read aloud on its alert.
    EXPECT_EQ(modify.Press(), S_OK);
    const HWND mensaje = AwaitForm(kMensajeCaption);
    ASSERT_TRUE(mensaje);
    const std::vector<Element> message =
        CheckTree(mensaje, {{ROLE_SYSTEM_STATICTEXT, L"No has seleccionado ningún elemento.",
                             Px(75, 23, 185, 29), kText},
                            {ROLE_SYSTEM_PUSHBUTTON, L"Aceptar", Px(84, 70, 113, 25),
                             kButton | STATE_SYSTEM_FOCUSED, L"", kPress}});
    ASSERT_EQ(message.size(), 2u);
    EXPECT_TRUE(Raised({EVENT_SYSTEM_ALERT, mensaje, message[0].id}));
    // The main window waits under the dialog: its commands are unavailable.
    EXPECT_EQ(remove.Number(&IAccessible::get_accState), STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(FAILED(remove.Press()));
    EXPECT_EQ(message[1].Press(), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(mensaje); }));

    // The edit dialog, opened on the first entry and cancelled.
    SelectEntry(main, 0);
    EXPECT_EQ(modify.Press(), S_OK);
    const HWND form2 = AwaitForm(kForm2Caption);
    ASSERT_TRUE(form2);
    const std::vector<Element> edit = CheckTree(
        form2,
        {{ROLE_SYSTEM_STATICTEXT, L"Escribe aquí la nueva dirección:", Px(85, 16, 204, 17), kText},
         {ROLE_SYSTEM_TEXT, std::nullopt, Px(85, 37, 209, 19), std::nullopt},
         {ROLE_SYSTEM_PUSHBUTTON, L"Cancelar", Px(32, 92, 113, 25), kButton, L"", kPress},
         {ROLE_SYSTEM_PUSHBUTTON, L"Aceptar", Px(165, 92, 113, 25), kButton, L"", kPress}});
    ASSERT_EQ(edit.size(), 4u);
    EXPECT_EQ(edit[1].Text(&IAccessible::get_accValue), six[0]);
    EXPECT_EQ(edit[2].Press(), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(form2); }));
    EXPECT_EQ(key.Read(), six);

    // Closing the main window ends the program.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(20000));
    UnhookWinEvent(hook);
}

// Spelled out: mingw-w64 before 12 declares neither the class nor its interfaces.
constexpr CLSID kUiAutomationClass{
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};

#ifdef __IUIAutomation_INTERFACE_DEFINED__
// The control type the system's bridge makes of each MSAA role the windows use.
constexpr std::pair<LONG, CONTROLTYPEID> kControlTypes[]{
    {ROLE_SYSTEM_LINK, UIA_HyperlinkControlTypeId},
    {ROLE_SYSTEM_PUSHBUTTON, UIA_ButtonControlTypeId},
    {ROLE_SYSTEM_STATICTEXT, UIA_TextControlTypeId},
    {ROLE_SYSTEM_TEXT, UIA_EditControlTypeId}};

// The window's elements through UI Automation are those of MSAA, whose texts and places the test
// above checks: the same ones in the same order, with their names, rectangles and roles.
void CheckUiaTree(IUIAutomation& automation, HWND window) {
    ASSERT_TRUE(window) << "the window did not open";
    const std::vector<Element> msaa = ChildrenOf(ClientOf(window));
    ComPtr<IUIAutomationElement> root;
    ComPtr<IUIAutomationCondition> all;
    ComPtr<IUIAutomationElementArray> children;
    ASSERT_EQ(automation.ElementFromHandle(window, &root), S_OK);
    ASSERT_EQ(automation.CreateTrueCondition(&all), S_OK);
    ASSERT_EQ(root->FindAll(TreeScope_Children, all.Get(), &children), S_OK);
    int count = 0;
    children->get_Length(&count);
    ASSERT_EQ(static_cast<size_t>(count), msaa.size());
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "element " << i + 1);
        const Element& want = msaa[static_cast<size_t>(i)];
        ComPtr<IUIAutomationElement> element;
        CONTROLTYPEID type = 0;
        BSTR name = nullptr;
        RECT at{};
        ASSERT_EQ(children->GetElement(i, &element), S_OK);
        element->get_CurrentControlType(&type);
        element->get_CurrentName(&name);
        element->get_CurrentBoundingRectangle(&at);
        const LONG role = want.Number(&IAccessible::get_accRole);
        for (const auto& [from, to] : kControlTypes) {
            EXPECT_TRUE(from != role || type == to) << "role " << role << ", control type " << type;
        }
        EXPECT_EQ(std::wstring(name ? name : L""), want.Name());
        SysFreeString(name);
        const RECT where = want.Location();
        EXPECT_TRUE(EqualRect(&at, &where));
    }
}
#endif

// Wine 10 implements no UI Automation pattern that runs a command: they run through MSAA.
TEST_F(ScreenReader, UiAutomationReadsTheMainWindowTheMessageAndTheEditDialog) {
    ComPtr<IUnknown> client;
    const HRESULT created =
        CoCreateInstance(kUiAutomationClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&client));
    if (FAILED(created)) {
        GTEST_SKIP() << "no UI Automation client here (Wine before 10): CoCreateInstance("
                     << "CLSID_CUIAutomation) failed with 0x" << std::hex << ULONG(created);
    }
#ifndef __IUIAutomation_INTERFACE_DEFINED__
    GTEST_SKIP() << "built with mingw-w64 headers that lack IUIAutomation (before mingw-w64 12)";
#else
    ComPtr<IUIAutomation> automation;
    ASSERT_EQ(client.As(&automation), S_OK);
    const HistoryKey key;
    key.Seed({L"http://uno.example/"});
    const Program program;
    // Runs a window's command by its default action; returns the window that opens, checked.
    const auto open = [&](HWND from, size_t command, const wchar_t* caption, bool withList) {
        EXPECT_EQ(ChildrenOf(ClientOf(from)).at(command).Press(), S_OK);
        const HWND opened = AwaitForm(caption, withList);
        CheckUiaTree(*automation.Get(), opened);
        return opened;
    };
    const HWND main = open(AwaitForm(kMainCaption), 3, kMainCaption, true);
    const HWND mensaje = open(main, 2, kMensajeCaption, false);  // "Modificar", nothing selected
    EXPECT_EQ(ChildrenOf(ClientOf(mensaje)).at(1).Press(), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(mensaje); }));
    SelectEntry(main, 0);
    open(main, 2, kForm2Caption, false);
#endif
}

}  // namespace
