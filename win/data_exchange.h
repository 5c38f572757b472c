// Typed data exchange between a dialog's fields and its controls: a dialog lists each bound
// control once in its Exchange function, and the same list runs in either direction.
#pragma once

#include <windows.h>

#include <string>

namespace win {

enum class Direction { ToControls, ToFields };

class DataExchange {
public:
    DataExchange(HWND dialog, Direction direction) : dialog_(dialog), direction_(direction) {}

    // Edit or any control whose window text is the value.
    void Text(int id, std::string& field);
    // Check box: on exactly when checked.
    void Check(int id, bool& flag);
    // List box: the selected item's text; setting selects the first item that begins with the
    // field's text (and leaves the selection alone when nothing matches).
    void ListSelection(int id, std::string& field);
    // Combo box: its edit text; setting selects the first item that begins with the field's
    // text, and sets the edit text to the field only when none does.
    void ComboText(int id, std::string& field);

private:
    HWND dialog_;
    Direction direction_;
};

}  // namespace win
