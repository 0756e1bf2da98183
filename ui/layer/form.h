// A top-level window of the program. Its client area has exactly the design size at the window's
// DPI; it has a fixed single-line border, a caption, no maximize or minimize box. Loading creates
// the window and its controls from the design and runs the load reaction; unloading destroys
// them, so that the next load starts again from the design. Whoever builds the program's windows
// builds each once, for the whole run, and keeps it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/layer/accessible.h"
#include "ui/layer/accessible_host.h"
#include "ui/layer/font.h"
#include "ui/layer/form_child.h"
#include "ui/layer/gdi.h"
#include "ui/layer/surface.h"

namespace tilu::ui {

enum class Placement {
    Centred,        // in the centre of the screen
    SystemDefault,  // where Windows puts a new window
};

struct FormDesign {
    std::wstring caption{};
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    COLORREF backColor = RGB(255, 255, 255);
    FontSpec font = SansSerifRegular();
    Placement placement = Placement::Centred;
    bool controlBox = true;  // system menu and close box
    int iconId = 0;          // 0: no window icon
};

// A form is also what assistive technology sees of it: by default its client area named by its
// caption; a window describes its own elements by overriding AccessibleSource.
class Form : public Surface, public AccessibleSource {
public:
    ~Form() override;

    bool IsLoaded() const { return Hwnd() != nullptr; }
    // Creates and loads the window if it is not loaded; the load reaction runs before it returns.
    void Load();
    // Shows the window without waiting.
    void Show();
    // Shows the window without owner and returns once it has been unloaded. Meanwhile every
    // other loaded window is disabled and ignores close requests; the unload enables them and
    // activates the window that was active before, both before the window goes.
    void ShowModal();
    // Destroys the window and its controls. Nothing happens when it is not loaded.
    void Unload();

    const FormDesign& Design() const { return design_; }
    // The window's font at its DPI, given to its child windows.
    HFONT Font() const { return font_.At(Dpi()); }

protected:
    Form(Application& application, FormDesign design);

    // Builds the controls from the design; called during load, once the window exists.
    virtual void CreateControls() {}
    // Discards the controls and their contents; called while the window is being destroyed.
    virtual void DestroyControls() {}
    // The window's load reaction.
    virtual void OnLoad() {}
    // The close box or the system menu's close: unloads by default.
    virtual void OnCloseBox() { Unload(); }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

    // Tells assistive technology that an element's name changed (child id as in
    // AccessibleChildren).
    void AccessibleNameChanged(LONG childId) const { accessible_.NameChanged(childId); }

private:
    friend class FormChild;

    // Returns the child's window id.
    int Attach(FormChild& child);
    void Detach(FormChild& child);

    DWORD Style() const;
    DWORD ExStyle() const;
    // The window's icons at its DPI, where the design gives one.
    void ApplyIcons();
    // The window's size for the design's client area at its DPI; centred on the screen when
    // `place`, otherwise where it stands.
    void ApplyGeometry(bool place);
    void ApplyLayout();
    void FocusFirstControl();
    void Activate();
    void EnableWaitingForms();
    // Gives back what a modal show took: the other windows enabled, the activation returned.
    void EndModal();
    FormChild* ChildOf(HWND hwnd) const;

    FormDesign design_;
    ScaledFont font_;
    std::vector<FormChild*> children_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    HWND lastFocus_ = nullptr;
    int nextChildId_;
    bool modal_ = false;
    std::vector<HWND> waitingForms_;  // disabled while this window is shown modally
    HWND previousActive_ = nullptr;   // active when the modal show began
    AccessibleHost accessible_{*this, *this};
};

// A form whose controls are one object of type ControlSet, constructed from the Derived form
// when the form loads and destroyed when it unloads.
template <class Derived, class ControlSet>
class FormOf : public Form {
public:
    // Reaching the controls loads the form from its design if it is not loaded.
    ControlSet& Controls() {
        Load();
        return *controls_;
    }

protected:
    using Form::Form;

    void CreateControls() override {
        controls_ = std::make_unique<ControlSet>(static_cast<Derived&>(*this));
    }
    void DestroyControls() override { controls_.reset(); }
    // The controls if the form is loaded and they are built, without loading it: for questions
    // that must not load a window, such as assistive technology's.
    const ControlSet* LoadedControls() const { return controls_.get(); }

private:
    std::unique_ptr<ControlSet> controls_;
};

}  // namespace tilu::ui
