// Starts the program on the browser's typed-address history and runs it until the last window
// is unloaded (or "Salir" ends the process at once).
#include <windows.h>

#include <objbase.h>

#include <exception>
#include <string>

#include "app/program.h"
#include "history/session_lock.h"
#include "history/slots.h"
#include "registry/advapi32_registry.h"
#include "registry/cqueryreg.h"
#include "ui/layer/application.h"

namespace {

// The program's thread as a single-threaded COM apartment, for the whole run: assistive
// technology reaches the windows' accessible objects through COM, and an MSAA server initialises
// COM before it answers WM_GETOBJECT (Active Accessibility SDK). Without it the windows still work.
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const ComApartment apartment;
    try {
        const tilu::ui::Platform platform = tilu::ui::SystemPlatform();
        tilu::ui::Application application(platform);
        tilu::Advapi32Registry api;
        const tilu::cQueryReg registry(api);
        const std::wstring addresses(tilu::HistoryKeyPath);
        tilu::SessionLock lock(addresses);
        tilu::Program program(application, registry,
                              {addresses, std::wstring(tilu::HistoryTimeKeyPath)}, lock);
        program.Start();
        return application.Run();
    } catch (const std::exception& failure) {
        // The program reports nothing to the user; a debugger still sees why it stopped.
        OutputDebugStringA(failure.what());
        return 1;
    }
}
