// What the windows ask of the system beyond drawing and input, replaceable so that tests can run
// the windows inside the test process.
#pragma once

#include <functional>

namespace tilu::ui {

class Form;

struct Platform {
    // The platform's default beep.
    std::function<void()> beep;
    // Ends the process at once, running no window's reaction to its closing.
    std::function<void()> endProgram;
    // Runs once a modal dialog's own message loop is running, with the dialog shown.
    std::function<void(Form&)> modalLoopStarted;
};

// The real beep and process exit; no modal hook.
Platform SystemPlatform();

}  // namespace tilu::ui
