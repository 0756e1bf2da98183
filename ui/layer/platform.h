// What the windows ask of the system beyond drawing and input. The program passes the system's;
// tests pass their own, so that they can run the windows inside the test process.
#pragma once

#include <functional>

#include "ui/layer/dpi.h"

namespace tilu::ui {

class Form;

struct Platform {
    // The platform's default beep.
    std::function<void()> beep;
    // Ends the process at once, running no window's reaction to its closing.
    std::function<void()> endProgram;
    // Runs once a modal dialog's own message loop is running, with the dialog shown.
    std::function<void(Form&)> modalLoopStarted;
    // How windows learn their DPI and size their frames.
    DpiFunctions dpi;
};

// The real beep, process exit and DPI functions; no modal hook.
Platform SystemPlatform();

}  // namespace tilu::ui
