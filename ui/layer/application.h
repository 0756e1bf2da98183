// One run of the program's windows: it knows which windows are loaded, runs the message loops,
// keeps a failure raised inside a window procedure for the loop to rethrow, and lends the
// windows the platform seams. Whoever builds the windows builds it first and gives it to each.
#pragma once

#include <windows.h>

#include <exception>
#include <vector>

#include "ui/layer/platform.h"

namespace tilu::ui {

class Form;

class Application {
public:
    // The seams stay the caller's and must outlive the application.
    explicit Application(const Platform& platform) : platform_(platform) {}
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const Platform& Seams() const { return platform_; }
    void Beep() const;
    void EndProgram() const;

    // Runs the message loop until the last loaded window is unloaded. Rethrows a failure that
    // a reaction to a message raised.
    int Run();
    // Dispatches one message as both loops do: dialog navigation for the program's windows,
    // then the failure, if any, thrown to the loop's caller.
    void Dispatch(MSG& message);

    void KeepFailure(std::exception_ptr failure);
    void RethrowFailure();

    const std::vector<Form*>& LoadedForms() const { return loaded_; }

private:
    friend class Form;

    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);
    Form* FormOf(HWND hwnd) const;

    const Platform& platform_;
    std::vector<Form*> loaded_;
    std::exception_ptr failure_;
    int runDepth_ = 0;
};

}  // namespace tilu::ui
