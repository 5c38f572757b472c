// Encoding and decoding of the stored option letters.
#include "settings/chk_opt.h"

#include "text/cp932.h"

namespace zavo {

std::string EncodeChkOpt(const CommandSwitches& options) {
    std::string code;
    if (options.recursive) code += 'r';
    if (options.folderName) code += 'x';
    if (options.newerYes) code += 'j';
    if (options.allAttrib) code += 'a';
    return code;
}

CommandSwitches DecodeChkOpt(std::string_view value) {
    CommandSwitches options;
    options.recursive = cp932::ContainsChar(value, 'r');
    options.folderName = cp932::ContainsChar(value, 'x');
    options.newerYes = cp932::ContainsChar(value, 'j');
    options.allAttrib = cp932::ContainsChar(value, 'a');
    return options;
}

}  // namespace zavo
