// Placeholder start-up while the windows are being built: it only says so, with the program's
// icon, so that the executable and its resources can be tried already.
#include <windows.h>

#include "app/resource_ids.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    MSGBOXPARAMSW params{};
    params.cbSize = sizeof params;
    params.hInstance = instance;
    params.lpszText = L"El programa se está construyendo.";
    params.lpszCaption = L"Administrador de historial - Tilu";
    params.dwStyle = MB_OK | MB_USERICON;
    params.lpszIcon = MAKEINTRESOURCEW(IDI_APPLICATION_ICON);
    MessageBoxIndirectW(&params);
    return 0;
}
