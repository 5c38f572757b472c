// Each exchange kind in both directions.
#include "win/data_exchange.h"

#include "win/controls.h"

namespace win {
namespace {

// Setting an edit's text moves its caret to the start: a write-back while the user types (each
// keystroke in "LZH Path" writes every field back) must leave an unchanged text, and its caret,
// alone.
void SetTextIfChanged(const Control& control, const std::string& text) {
    if (control.Text() != text) control.SetText(text);
}

}  // namespace

void DataExchange::Text(int id, std::string& field) {
    Control control(dialog_, id);
    if (direction_ == Direction::ToFields) field = control.Text();
    else SetTextIfChanged(control, field);
}

void DataExchange::Check(int id, bool& flag) {
    CheckBox box(dialog_, id);
    if (direction_ == Direction::ToFields) flag = box.Checked();
    else box.SetChecked(flag);
}

void DataExchange::ListSelection(int id, std::string& field) {
    ListBox list(dialog_, id);
    if (direction_ == Direction::ToFields) field = list.SelectedText();
    else list.SelectByPrefix(field);
}

void DataExchange::ComboText(int id, std::string& field) {
    ComboBox combo(dialog_, id);
    if (direction_ == Direction::ToFields) {
        field = combo.Text();
    } else if (!combo.SelectByPrefix(field)) {
        SetTextIfChanged(combo, field);
    }
}

}  // namespace win
