// Each exchange kind in both directions.
#include "win/data_exchange.h"

#include "win/controls.h"

namespace win {

void DataExchange::Text(int id, std::string& field) {
    Control control(dialog_, id);
    if (direction_ == Direction::ToFields) field = control.Text();
    else control.SetText(field);
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
        combo.SetText(field);
    }
}

}  // namespace win
