#include "ui/layer/application.h"

#include <algorithm>
#include <utility>

#include "ui/layer/form.h"

namespace tilu::ui {

Platform SystemPlatform() {
    Platform platform;
    platform.beep = [] { MessageBeep(MB_OK); };
    platform.endProgram = [] { ExitProcess(0); };
    platform.dpi = DpiFunctions::Lookup();
    return platform;
}

void Application::Beep() const {
    if (platform_.beep) {
        platform_.beep();
    }
}

void Application::EndProgram() const {
    if (platform_.endProgram) {
        platform_.endProgram();
    }
}

int Application::Run() {
    ++runDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{runDepth_};
    if (loaded_.empty()) {
        return 0;
    }
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        Dispatch(message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

void Application::Dispatch(MSG& message) {
    // Tab and the other dialog keys move the focus between a window's controls.
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!(root && FormOf(root) && IsDialogMessageW(root, &message))) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    RethrowFailure();
}

void Application::KeepFailure(std::exception_ptr failure) {
    if (!failure_) {
        failure_ = std::move(failure);
    }
}

void Application::RethrowFailure() {
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
}

void Application::FormLoaded(Form& form) {
    loaded_.push_back(&form);
}

void Application::FormUnloaded(Form& form) {
    std::erase(loaded_, &form);
    if (loaded_.empty() && runDepth_ > 0) {
        PostQuitMessage(0);
    }
}

Form* Application::FormOf(HWND hwnd) const {
    const auto found = std::find_if(loaded_.begin(), loaded_.end(),
                                    [hwnd](const Form* form) { return form->Hwnd() == hwnd; });
    return found == loaded_.end() ? nullptr : *found;
}

}  // namespace tilu::ui
