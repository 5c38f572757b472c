// Asks whether an existing file is to be replaced: Yes, No, Yes to all, or stop extracting.
#pragma once

#include <string>

#include "sfx/extractor.h"
#include "win/dialog.h"

namespace sfx {

class OverwriteDialog : public win::Dialog {
public:
    explicit OverwriteDialog(std::string path);
    OverwriteAnswer Ask(HWND owner);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::string path_;
};

}  // namespace sfx
