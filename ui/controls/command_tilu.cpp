#include "ui/controls/command_tilu.h"

#include "ui/resources/resource_ids.h"
#include "ui/layer/resources.h"

namespace tilu::ui {

namespace {

constexpr wchar_t kClassName[] = L"TiluCommandTilu";
constexpr TwipsRect kTextArea{15, 75, 1665, 285};
constexpr SIZE kFacePixels{113, 25};

PictureDesign FaceDesign(int bitmapId, HCURSOR hand) {
    return {.bounds = CommandTilu::kFace,
            .image = ImageSource{ImageKind::Bitmap, bitmapId, kFacePixels},
            .pointer = hand};
}

}  // namespace

CommandTilu::CommandTilu(Form& form, const ChildPlacement& placement)
    : CommandTilu(form, placement, LoadPointer(IDC_HAND_POINTER)) {}

CommandTilu::CommandTilu(Form& form, const ChildPlacement& placement, HCURSOR hand)
    : Surface(form.App(), form.BackColor()),
      FormChild(form, placement),
      botón_(*this, LabelDesign{.bounds = kFace, .pointer = hand}),
      texto_(*this, LabelDesign{.bounds = kTextArea,
                                .foreColor = kRestingText,
                                .font = SansSerifBold(),
                                .alignment = Alignment::Center,
                                .pointer = hand}),
      normal_(*this, FaceDesign(IDB_FACE_NORMAL, hand)),
      pulsado_(*this, FaceDesign(IDB_FACE_PULSADO, nullptr)) {
    pulsado_.SetVisible(false);

    botón_.MouseDown = [this](const MouseInput&) { Cambiar(normal_, pulsado_, kMouseHeldText); };
    botón_.MouseMove = [this](const MouseInput&) { Raise(PasarRatón); };
    botón_.MouseUp = [this](const MouseInput&) {
        Cambiar(pulsado_, normal_, kRestingText);
        Raise(PulsarBotón);
    };

    RegisterClassOnce(kClassName, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
    Create(kClassName, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, form.Hwnd(), ChildId());
}

void CommandTilu::Caption(const std::wstring& Nombre) {
    CaptionTilu(Nombre);
}

void CommandTilu::Cambiar(Lightweight& Ocultar, Lightweight& Mostrar, COLORREF Color) {
    Ocultar.SetVisible(false);
    Mostrar.SetVisible(true);
    texto_.SetForeColor(Color);
}

void CommandTilu::WriteCaption(const std::wstring& text) {
    texto_.SetCaption(text);
    CaptionActual = text;
}

void CommandTilu::OnKeyDown(WPARAM key) {
    keysDown_.set(key & 0xFF);
    Cambiar(normal_, pulsado_, kKeyHeldText);
}

void CommandTilu::OnKeyUp(WPARAM key) {
    if (!keysDown_.test(key & 0xFF)) {
        return;
    }
    keysDown_.reset(key & 0xFF);
    Cambiar(pulsado_, normal_, kMouseHeldText);
    Raise(PulsarBotón);
}

void CommandTilu::OnBareMouseMove(const MouseInput&) {
    Cambiar(pulsado_, normal_, kRestingText);
}

void CommandTilu::OnMousePress() {
    if (GetFocus() != Hwnd()) {
        SetFocus(Hwnd());
    }
}

void CommandTilu::OnPressAbandoned(Lightweight*) {
    // Another window took the mouse mid-press: no release will come, so do not stay pressed.
    Cambiar(pulsado_, normal_, kRestingText);
}

void CommandTilu::MoveFocus(bool backwards) const {
    const HWND root = GetAncestor(Hwnd(), GA_ROOT);
    if (const HWND next = GetNextDlgTabItem(root, Hwnd(), backwards ? TRUE : FALSE)) {
        SetFocus(next);
    }
}

AccessibleElement CommandTilu::AccessibleSelf() const {
    return {.role = ROLE_SYSTEM_PUSHBUTTON,
            .name = CaptionActual,
            .action = kPressAction,
            // The release of a click on the face: the released look, then PulsarBotón.
            .perform = [this] { Raise(botón_.MouseUp, MouseInput{.button = MK_LBUTTON}); },
            .bounds = kFace};
}

LRESULT CommandTilu::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; accessible_.Handle(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_GETDLGCODE: {
            // Every key is the button's except Tab, which moves the focus.
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
                return 0;
            }
            return DLGC_WANTALLKEYS;
        }
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                MoveFocus(GetKeyState(VK_SHIFT) < 0);
            } else {
                OnKeyDown(wParam);
            }
            return 0;
        case WM_KEYUP:
            OnKeyUp(wParam);  // may destroy this control: nothing follows
            return 0;
        case WM_SYSKEYDOWN:
            // Alt and F10 are keys like the others; the system still sees them, so Alt+F4 closes
            // the window as it does anywhere.
            OnKeyDown(wParam);
            break;
        case WM_SYSKEYUP:
            if (keysDown_.test(wParam & 0xFF)) {
                OnKeyUp(wParam);  // a click, not the window menu; may destroy this control
                return 0;
            }
            break;
        case WM_KILLFOCUS:
            keysDown_.reset();
            return 0;
        default:
            break;
    }
    return Surface::OnMessage(message, wParam, lParam);
}

}  // namespace tilu::ui
