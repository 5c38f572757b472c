// An owner-drawn button that shows one of three pictures: up, pressed, disabled.
#pragma once

#include <windows.h>

#include "win/unique_handle.h"

namespace win {

class BitmapButton {
public:
    // Loads the three bitmaps by resource name from the program's module and gives the button
    // the size of its faces.
    void Load(HWND button, const char* up, const char* down, const char* disabled);
    // WM_DRAWITEM: draws the face for the item's state; false when that face is missing.
    bool Draw(const DRAWITEMSTRUCT& item) const;

private:
    UniqueGdiObject faces_[3];
};

}  // namespace win
