// The one application object of the process: it owns the single instance of each window class,
// knows which windows are loaded, runs the message loops and holds the platform seams.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "ui/layer/platform.h"

namespace tilu::ui {

class Form;

class Application {
public:
    static Application& Current();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // The one instance of a window class, constructed (not loaded) on first use.
    template <class F>
    F& Instance() {
        auto& slot = forms_[std::type_index(typeid(F))];
        if (!slot) {
            slot = std::make_unique<F>();
        }
        return static_cast<F&>(*slot);
    }

    Platform& Seams() { return platform_; }
    // Replaces the seams and returns the previous ones.
    Platform ReplaceSeams(Platform platform);
    void Beep() const;
    void EndProgram() const;

    // Runs the message loop until the last loaded window is unloaded. Rethrows a failure that
    // a reaction to a message raised.
    int Run();
    // Dispatches one message as both loops do: dialog navigation for the program's windows,
    // then the failure, if any, thrown to the loop's caller.
    void Dispatch(MSG& message);
    // Pumps the queue without waiting (for tests).
    void DispatchPending();

    void KeepFailure(std::exception_ptr failure);
    void RethrowFailure();

    const std::vector<Form*>& LoadedForms() const { return loaded_; }
    void UnloadAll();

    // Called by Form only.
    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);
    Form* FormOf(HWND hwnd) const;

private:
    Application();

    std::unordered_map<std::type_index, std::unique_ptr<Form>> forms_;
    std::vector<Form*> loaded_;
    Platform platform_;
    std::exception_ptr failure_;
    int runDepth_ = 0;
};

// The one instance of a window class.
template <class F>
F& TheForm() {
    return Application::Current().Instance<F>();
}

}  // namespace tilu::ui
