// Command composition and output conversion.
#include "engine/command_composer.h"

#include "text/cp932.h"

namespace zavo {

std::string SwitchText(const CommandSwitches& switches) {
    std::string text;
    if (switches.recursive) text += " -r1";
    if (switches.folderName) text += " -x1";
    if (switches.newerYes) text += " -jyo";
    if (switches.allAttrib) text += " -a1";
    return text;
}

std::string ComposeCommandLine(const CommandValues& values) {
    std::string line = values.command;
    line += ' ';
    line += SwitchText(values.switches);
    line += ' ';
    line += values.otherOption;
    line += ' ';
    line += '"' + values.lzhPath + "\" ";
    line += '"' + cp932::WithFolderSeparator(values.basePath) + "\" ";
    line += '"' + values.fileName + '"';
    return line;
}

std::string AppendEngineOutput(std::string_view outputText, std::string_view engineText) {
    std::string out(outputText);
    std::size_t start = 0;
    for (;;) {
        // A line feed byte is never a trail byte, so the split is safe byte by byte. A CR before
        // the line feed stays with its piece.
        std::size_t lf = engineText.find('\n', start);
        std::string_view piece = engineText.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start);
        out += piece;
        out += "\r\n";
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return out;
}

}  // namespace zavo
