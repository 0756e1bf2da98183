// Owning wrappers for GDI and USER handles, and scoped DC state.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tilu::ui {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct WindowDeleter {
    void operator()(HWND hwnd) const { DestroyWindow(hwnd); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

template <class Handle, class Deleter>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using UniqueFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniquePen = UniqueHandle<HPEN, GdiObjectDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, DcDeleter>;
// A window of a system class (list box, edit); windows of the program's own classes are owned
// by their Window object.
using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;

// Selects an object into a DC for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the whole DC state (clip region, colours, modes) and restores it at scope end.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() { RestoreDC(dc_, saved_); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace tilu::ui
