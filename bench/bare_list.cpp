// The floor for the click-latency benchmark (scripts/bench-latency): a Win32 program that does the
// least the main window's commands need. A window of the main window's client size holds a list
// box of the main list's size and a static text where the status line is. A left-button release
// above the list's bottom (where "aquí" is) reads a history of its own, two keys of 25 addresses
// and times, with the registry calls the program makes, refills the list with the texts, its
// redraw paused, and sets the static text; one below it (where the delete command is) deletes the
// first entry as the program deletes one (under a named mutex, the slots read again, both keys
// rewritten, read anew) before the refill. A change of the list's selection sets the static
// text. Built like the program (static, manifest).
#include <windows.h>

#include <string>
#include <vector>

#include "bench/raw_history.h"

#include "bench/system_dpi.h"

namespace {

using tilu::bench::Px;
using tilu::bench::RawHistory;
using tilu::bench::RawSlot;
using tilu::bench::SystemDpi;

constexpr wchar_t kClassName[] = L"TiluBareList";
constexpr wchar_t kTitle[] = L"Lista de referencia";
// The main window's client area, its list and its status line, in pixels at 96 DPI.
constexpr int kClientWidth = 353;
constexpr int kClientHeight = 286;
constexpr RECT kList{15, 70, 322, 106};
constexpr RECT kStatus{6, 268, 345, 17};
constexpr int kEntries = 25;
constexpr int kListId = 1;
constexpr UINT_PTR kRestoreTimer = 1;
constexpr wchar_t kParentSubkey[] = L"Software\\TiluBench\\Latency";

struct Controls {
    HWND list = nullptr;
    HWND status = nullptr;
    HFONT font = nullptr;
    RawHistory history{L"Software\\TiluBench\\Latency\\TypedURLs",
                       L"Software\\TiluBench\\Latency\\TypedURLsTime"};
    std::vector<RawSlot> loaded;  // the slots as the list was last filled from them
};

void Refill(Controls& controls) {
    const std::vector<std::wstring> texts = RawHistory::Texts(controls.loaded);
    // With the list's redraw paused and one repaint afterwards, as the program refills its list,
    // so that the floor does the same work.
    SendMessageW(controls.list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(controls.list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : texts) {
        SendMessageW(controls.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(controls.list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(controls.list, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    const std::wstring status =
        L"Lista actualizada: " + std::to_wstring(kEntries) + L" direcciones.";
    SetWindowTextW(controls.status, status.c_str());
}

void ShowSelection(const Controls& controls) {
    const auto index = SendMessageW(controls.list, LB_GETCURSEL, 0, 0);
    const std::wstring text = L"Seleccionada la dirección " + std::to_wstring(index + 1) + L" de " +
                              std::to_wstring(kEntries) + L".";
    SetWindowTextW(controls.status, text.c_str());
}

// The history full again, untimed: the last slot written anew, as before each of the program's
// deletes.
void Restore(Controls& controls) {
    controls.history.WriteSlot(kEntries);
    controls.loaded = controls.history.Read();
}

void CreateControls(HWND hwnd, Controls& controls) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kParentSubkey);
    for (int slot = 1; slot <= kEntries; ++slot) {
        controls.history.WriteSlot(slot);
    }
    controls.loaded = controls.history.Read();
    const UINT dpi = SystemDpi();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    controls.font = CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");
    controls.list = CreateWindowExW(
        0, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        Px(kList.left, dpi), Px(kList.top, dpi), Px(kList.right, dpi), Px(kList.bottom, dpi), hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    controls.status = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, Px(kStatus.left, dpi), Px(kStatus.top, dpi),
        Px(kStatus.right, dpi), Px(kStatus.bottom, dpi), hwnd, nullptr, instance, nullptr);
    for (const HWND child : {controls.list, controls.status}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(controls.font), FALSE);
    }
    Refill(controls);
}

LRESULT CALLBACK BareListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* controls = reinterpret_cast<Controls*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_CREATE:
            controls = static_cast<Controls*>(
                reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(controls));
            CreateControls(hwnd, *controls);
            return 0;
        case WM_LBUTTONUP:
            if (static_cast<short>(HIWORD(lParam)) >= Px(kList.top + kList.bottom, SystemDpi())) {
                controls->history.DeleteFirst(controls->loaded);
                // A timer's message comes after the repaint's, so the restore is not timed.
                SetTimer(hwnd, kRestoreTimer, 100, nullptr);
            } else {
                controls->loaded = controls->history.Read();
            }
            Refill(*controls);
            return 0;
        case WM_TIMER:
            KillTimer(hwnd, kRestoreTimer);
            Restore(*controls);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE) {
                ShowSelection(*controls);
            }
            return 0;
        case WM_DESTROY:
            DeleteObject(controls->font);
            RegDeleteTreeW(HKEY_CURRENT_USER, kParentSubkey);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BareListProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const UINT dpi = SystemDpi();
    RECT frame{0, 0, Px(kClientWidth, dpi), Px(kClientHeight, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    Controls controls;
    // Top left, clear of the main window, which stands in the centre of the screen.
    const HWND hwnd =
        CreateWindowExW(0, kClassName, kTitle, style, 0, 0, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, &controls);
    if (!hwnd) {
        return 1;
    }
    ShowWindow(hwnd, show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
