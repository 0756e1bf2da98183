#include "ui/layer/form_child.h"

#include <stdexcept>
#include <string>

#include "ui/layer/form.h"

namespace tilu::ui {

FormChild::FormChild(Form& form, ChildPlacement placement)
    : form_(form), placement_(placement), childId_(form.Attach(*this)) {}

FormChild::~FormChild() {
    form_.Detach(*this);
}

UniqueWindow FormChild::CreateSystemChild(const wchar_t* className, DWORD style) const {
    UniqueWindow hwnd(CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                      form_.Hwnd(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId_)),
                                      GetModuleHandleW(nullptr), nullptr));
    if (!hwnd) {
        throw std::runtime_error("creating a child window failed (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    return hwnd;
}

}  // namespace tilu::ui
