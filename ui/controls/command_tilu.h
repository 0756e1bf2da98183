// CommandTilu: the program's own push button. A child window whose surface holds four parts,
// front to back: the transparent label Botón that covers the face and takes the mouse, the
// caption Texto, and the two face pictures Normal and Pulsado. While a mouse button or a key is
// held on it the pressed face shows; the release shows the released face again and then tells
// the window through PulsarBotón.
#pragma once

#include <windows.h>

#include <bitset>
#include <string>

#include "ui/controls/caption_text.h"
#include "ui/layer/accessible.h"
#include "ui/layer/accessible_host.h"
#include "ui/layer/form.h"
#include "ui/controls/palette.h"
#include "ui/layer/form_child.h"
#include "ui/layer/label.h"
#include "ui/layer/picture.h"
#include "ui/layer/surface.h"

namespace tilu::ui {

// To assistive technology it is a push button named by its caption, whose default action is a
// click.
class CommandTilu : public Surface, public FormChild, private AccessibleSource {
public:
    // Text colours of the looks.
    static constexpr COLORREF kRestingText = palette::kDeepBlue;  // released by the mouse
    static constexpr COLORREF kMouseHeldText = palette::kOrange;  // mouse held; also after a key
    static constexpr COLORREF kKeyHeldText = palette::kMidBlue;   // key held

    // The design size of the face: 1695 x 375 twips.
    static constexpr TwipsRect kFace{0, 0, 1695, 375};

    CommandTilu(Form& form, const ChildPlacement& placement);

    // Writes Nombre to CaptionTilu, exactly as an outside write would.
    void Caption(const std::wstring& Nombre);
    // Hides Ocultar, shows Mostrar, then sets the caption's colour.
    void Cambiar(Lightweight& Ocultar, Lightweight& Mostrar, COLORREF Color);

    // The caption last written (empty before any write).
    std::wstring CaptionTilu() const { return CaptionActual; }
    // Any value, shown and kept as its text.
    template <class T>
    void CaptionTilu(const T& NuevoCaption) {
        WriteCaption(CaptionText(NuevoCaption));
    }

    // Events, in their declaration order. The control touches nothing of itself after raising
    // PulsarBotón: the window's reaction may destroy it.
    EventHandler PulsarBotón;
    EventHandler PasarRatón;

    // The parts, for the window's tests.
    const Label& Botón() const { return botón_; }
    const Label& Texto() const { return texto_; }
    const Picture& Normal() const { return normal_; }
    const Picture& Pulsado() const { return pulsado_; }

    HWND ChildHwnd() const override { return Hwnd(); }
    bool TakesFormFont() const override { return false; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnBareMouseMove(const MouseInput& input) override;
    void OnMousePress() override;
    void OnPressAbandoned(Lightweight* target) override;

    AccessibleElement AccessibleSelf() const override;

private:
    // `hand`: the pointer over the face and its text.
    CommandTilu(Form& form, const ChildPlacement& placement, HCURSOR hand);
    void WriteCaption(const std::wstring& text);
    void OnKeyDown(WPARAM key);
    void OnKeyUp(WPARAM key);
    void MoveFocus(bool backwards) const;

    std::wstring CaptionActual;
    // Keys whose key-down reached the control while it had the focus: only their release
    // counts as a press, so a key pressed elsewhere (Tab moving the focus here, the Enter that
    // started the program) does not click the button.
    std::bitset<256> keysDown_;

    Label botón_;
    Label texto_;
    Picture normal_;
    Picture pulsado_;
    AccessibleHost accessible_{*this, *this};
};

}  // namespace tilu::ui
