// The base of every window class of the program: one window procedure that binds the C++ object
// at WM_NCCREATE and hands each later message to OnMessage. No exception leaves the procedure:
// it is kept by the window's Application and rethrown by the message loop that dispatched the
// message.
#pragma once

#include <windows.h>

namespace tilu::ui {

class Application;

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Stops handing messages to the object, then destroys the window: by then the derived parts
    // are gone, so no message may reach them.
    virtual ~Window();

    HWND Hwnd() const { return hwnd_; }
    // The run the window belongs to.
    Application& App() const { return application_; }
    // The DPI the window is shown at (96 before it exists). A child window is shown at its
    // top-level window's DPI.
    UINT Dpi() const;

protected:
    explicit Window(Application& application) : application_(application) {}

    // Registers the class on first use; every class of the program shares the procedure.
    static void RegisterClassOnce(const wchar_t* className, UINT classStyle, HCURSOR cursor);
    // Creates the window bound to this object. Throws when the system refuses.
    void Create(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                int height, HWND parent, int childId);
    // Destroys the window while the object still receives its last messages.
    void Destroy();
    // A top-level window was told that its DPI changed (WM_DPICHANGED).
    void DpiChanged(UINT dpi) { dpi_ = dpi; }

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone (WM_NCDESTROY); Hwnd() is null from then on.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The object bound to a window of the program's own classes, or null.
    static const Window* BoundTo(HWND hwnd);

    Application& application_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 0;  // set as the window is created
};

}  // namespace tilu::ui
