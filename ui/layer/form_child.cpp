#include "ui/layer/form_child.h"

#include "ui/layer/form.h"

namespace tilu::ui {

FormChild::FormChild(Form& form, ChildPlacement placement)
    : form_(form), placement_(placement), childId_(form.Attach(*this)) {}

FormChild::~FormChild() {
    form_.Detach(*this);
}

}  // namespace tilu::ui
