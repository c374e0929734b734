// Owners for the GDI objects and image lists of the window layer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/handles.h"

namespace sx::ui {

template <typename T>
struct GdiTraits {
    using Type = T;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { DeleteObject(v); }
};

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { ImageList_Destroy(v); }
};

struct IconTraits {
    using Type = HICON;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { DestroyIcon(v); }
};

struct MenuTraits {
    using Type = HMENU;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { DestroyMenu(v); }
};

using UniqueFont = win32::UniqueResource<GdiTraits<HFONT>>;
using UniqueBitmap = win32::UniqueResource<GdiTraits<HBITMAP>>;
using UniqueImageList = win32::UniqueResource<ImageListTraits>;
using UniqueIcon = win32::UniqueResource<IconTraits>;
using UniqueMenu = win32::UniqueResource<MenuTraits>;

// Shows a cursor for the length of a scope (the wait cursor of long operations).
class CursorScope {
public:
    explicit CursorScope(LPCSTR cursor) : previous_(SetCursor(LoadCursorA(nullptr, cursor))) {}
    ~CursorScope() { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }
    CursorScope(const CursorScope&) = delete;
    CursorScope& operator=(const CursorScope&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace sx::ui
