// Reading script files into the table, and the editor's writers and shower.
#include "script/script_format.h"

#include "engine/command_composer.h"
#include "script/text_mode_file.h"
#include "text/cp932.h"

namespace zavo {
namespace {

bool IsMarkerLine(std::string_view line) { return line.substr(0, 3) == "///"; }

// The file's lines, whole and each without its line ends, as the reader and the shower take them.
std::optional<std::vector<std::string>> ReadStrippedLines(const std::string& path) {
    std::optional<std::string> text = ReadTextModeFile(path);
    if (!text) return std::nullopt;
    std::vector<std::string> lines = SplitTextLines(*text);
    for (std::string& line : lines) StripLineEnds(line);
    return lines;
}

}  // namespace

void StripLineEnds(std::string& line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
}

std::optional<int> ReadScript(std::string_view path, ScriptTable& table, std::string& lastScriptPath) {
    std::string file = WithoutFinalLineFeed(path);
    std::optional<std::vector<std::string>> read = ReadStrippedLines(file);
    if (!read) {
        table.count = 0;
        return std::nullopt;
    }
    const std::vector<std::string>& lines = *read;
    std::size_t next = 0;
    // False when the file has no line left.
    auto take = [&](std::string& column) {
        if (next >= lines.size()) return false;
        column = lines[next++];
        return true;
    };

    int count = 0;
    while (count < ScriptTable::kMaxRows && next < lines.size() && IsMarkerLine(lines[next])) {
        ++next;
        CommandValues& row = table.rows[count];
        if (!take(row.command)) break;
        if (row.command.empty() || row.command[0] != '/') {
            if (!(take(row.otherOption) && take(row.lzhPath) && take(row.basePath) && take(row.fileName))) break;
        }
        ++count;
    }
    table.count = count;
    lastScriptPath = file;
    return count;
}

std::string EntryOptions(std::string_view otherOptions, std::string_view checkOptions) {
    std::string options(otherOptions);
    if (cp932::FindOnBoundary(otherOptions, checkOptions) == std::string_view::npos) options += checkOptions;
    return options;
}

bool AppendScriptEntry(std::string_view path, std::string_view comment, const CommandValues& values) {
    const std::string name = WithoutFinalLineFeed(path);
    // Creates a missing file and leaves an existing one as it is; the update stream below may
    // then write over a final end mark, which an append stream could not.
    if (!File(std::fopen(name.c_str(), "ab"))) return false;
    File file(std::fopen(name.c_str(), "r+b"));
    if (!file) return false;
    std::optional<AppendPoint> at = FindAppendPoint(file.get());
    // An update stream needs a positioning call between a read and a write.
    if (!at || std::fseek(file.get(), at->offset, SEEK_SET) != 0) return false;

    std::string text;
    // A last line without its line break would swallow the new marker: end it first.
    if (!at->lineEnded) text += '\n';
    text += "///";
    text += comment;
    text += '\n';
    for (const std::string& line : {values.command, EntryOptions(values.otherOption, SwitchText(values.switches)),
                                    values.lzhPath, values.basePath, values.fileName}) {
        text += line;
        text += '\n';
    }
    return WriteTextAndClose(std::move(file), text);
}

bool WritePaneLines(std::string_view path, const std::vector<std::string>& lines) {
    File file(std::fopen(WithoutFinalLineFeed(path).c_str(), "wb"));
    if (!file) return false;
    std::size_t written = lines.size();
    if (written > 0 && lines.back().empty()) --written;
    std::string text;
    for (std::size_t i = 0; i < written; ++i) {
        text += lines[i];
        text += '\n';
    }
    return WriteTextAndClose(std::move(file), text);
}

std::optional<std::string> ShowScriptFile(std::string_view path) {
    std::optional<std::vector<std::string>> lines = ReadStrippedLines(WithoutFinalLineFeed(path));
    if (!lines) return std::nullopt;
    std::string shown;
    for (const std::string& line : *lines) {
        shown += line;
        shown += "\r\n";
    }
    return shown;
}

}  // namespace zavo
