// Loading and drawing the faces of an owner-drawn picture button.
#include "win/bitmap_button.h"

namespace win {

void BitmapButton::Load(HWND button, const char* up, const char* down, const char* disabled) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const char* names[3] = {up, down, disabled};
    for (int i = 0; i < 3; ++i) faces_[i].Reset(LoadBitmapA(instance, names[i]));
    BITMAP size{};
    if (!faces_[0] || !GetObjectA(faces_[0].Get(), sizeof size, &size)) return;
    SetWindowPos(button, nullptr, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool BitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
    int face = (item.itemState & ODS_DISABLED) ? 2 : (item.itemState & ODS_SELECTED) ? 1 : 0;
    if (!faces_[face]) return false;
    HDC source = CreateCompatibleDC(item.hDC);
    if (!source) return false;
    HGDIOBJ previous = SelectObject(source, faces_[face].Get());
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return true;
}

}  // namespace win
