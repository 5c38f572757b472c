// Filling the transfer area from the main window's values.
#include "settings/window_transfer.h"

namespace zavo {

TransferArea TransferFromWindow(const MainFields& fields, std::string (*boxesText)(const CommandSwitches&)) {
    TransferArea transfer;
    transfer.command = fields.command;
    transfer.lzhPath = fields.lzhPath;
    transfer.otherOpt = fields.otherOption;
    transfer.chkOpt = boxesText({fields.recursive, fields.folderName, fields.newerYes, fields.allAttrib});
    transfer.basePath = fields.basePath;
    transfer.file = fields.fileName;
    return transfer;
}

}  // namespace zavo
