// Another program beside the one under test, for the end-to-end test:
//   peer window       shows a small window, "Otro programa", until its process is ended;
//   peer foreground   prints the title of the desktop's active window (or nothing) in UTF-8.
// The desktop's foreground window is shared by all the prefix's processes, so a second process
// can tell which window Windows' activation rules picked.
#include <windows.h>

#include <cstring>

namespace {

constexpr wchar_t kClass[] = L"TiluE2ePeer";
constexpr int kWidth = 200;
constexpr int kHeight = 100;

int ShowWindowUntilEnded() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassW(&windowClass);
    // In the screen's bottom right corner, clear of the centred windows and of the place where
    // the system puts a new window.
    const int x = GetSystemMetrics(SM_CXSCREEN) - kWidth;
    const int y = GetSystemMetrics(SM_CYSCREEN) - kHeight;
    if (!CreateWindowExW(0, kClass, L"Otro programa", WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y,
                         kWidth, kHeight, nullptr, nullptr, windowClass.hInstance, nullptr)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}

int PrintForegroundTitle() {
    wchar_t title[256] = L"";
    if (const HWND foreground = GetForegroundWindow()) {
        GetWindowTextW(foreground, title, 256);
    }
    char utf8[1024];
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
    DWORD written = 0;
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8, length > 0 ? length - 1 : 0, &written,
                     nullptr)
               ? 0
               : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "window") == 0) {
        return ShowWindowUntilEnded();
    }
    if (argc == 2 && std::strcmp(argv[1], "foreground") == 0) {
        return PrintForegroundTitle();
    }
    return 2;
}
