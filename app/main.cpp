// Starts the program on the browser's typed-address history and runs it until the last window
// is unloaded (or "Salir" ends the process at once).
#include <windows.h>

#include <exception>
#include <string>

#include "app/program.h"
#include "history/slots.h"
#include "registry/advapi32_registry.h"
#include "registry/cqueryreg.h"
#include "ui/layer/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        const tilu::ui::Platform platform = tilu::ui::SystemPlatform();
        tilu::ui::Application application(platform);
        tilu::Advapi32Registry api;
        const tilu::cQueryReg registry(api);
        tilu::Program program(application, registry, std::wstring(tilu::HistoryKeyPath));
        program.Start();
        return application.Run();
    } catch (const std::exception& failure) {
        // The program reports nothing to the user; a debugger still sees why it stopped.
        OutputDebugStringA(failure.what());
        return 1;
    }
}
