// Reading script files into the table, and the editor's writers and shower.
#include "script/script_format.h"

#include <cstdio>
#include <memory>

#include "script/text_mode_file.h"
#include "text/cp932.h"

namespace zavo {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool IsMarkerLine(std::string_view line) { return line.substr(0, 3) == "///"; }

// Writes text as a text-mode write would and closes the file; false when anything failed.
bool WriteAndClose(File file, std::string_view text) {
    std::string bytes = TextModeBytes(text);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace

void StripLineEnds(std::string& line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
}

std::optional<int> ReadScript(std::string_view path, ScriptTable& table, std::string& lastScriptPath) {
    std::string file = WithoutFinalLineFeed(path);
    std::optional<std::string> text = ReadTextModeFile(file);
    if (!text) {
        table.count = 0;
        return std::nullopt;
    }
    std::vector<std::string> lines = SplitTextLines(*text);
    std::size_t next = 0;
    // Each line is stored without its line ends; false when the file has no line left.
    auto take = [&](std::string& column) {
        if (next >= lines.size()) return false;
        column = lines[next++];
        StripLineEnds(column);
        return true;
    };

    int count = 0;
    while (count < ScriptTable::kMaxRows && next < lines.size() && IsMarkerLine(lines[next])) {
        ++next;
        ScriptRow& row = table.rows[count];
        if (!take(row.command)) break;
        if (row.command.empty() || row.command[0] != '/') {
            if (!(take(row.options) && take(row.archivePath) && take(row.basePath) && take(row.fileNames))) break;
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

bool AppendScriptEntry(std::string_view path, std::string_view comment, const TransferArea& values) {
    File file(std::fopen(WithoutFinalLineFeed(path).c_str(), "a+b"));
    if (!file) return false;

    std::string text;
    // A last line without its line break would swallow the new marker: end it first.
    if (std::fseek(file.get(), -1, SEEK_END) == 0 && std::fgetc(file.get()) != '\n') text += '\n';
    // An update stream needs a positioning call between a read and a write.
    std::fseek(file.get(), 0, SEEK_END);
    text += "///";
    text += comment;
    text += '\n';
    for (const std::string& line : {values.command, EntryOptions(values.otherOpt, values.chkOpt),
                                    values.lzhPath, values.basePath, values.file}) {
        text += line;
        text += '\n';
    }
    return WriteAndClose(std::move(file), text);
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
    return WriteAndClose(std::move(file), text);
}

std::optional<std::string> ShowScriptFile(std::string_view path) {
    std::optional<std::string> text = ReadTextModeFile(WithoutFinalLineFeed(path));
    if (!text) return std::nullopt;
    std::string shown;
    shown.reserve(text->size() + text->size() / 16);
    for (std::string& line : SplitTextLines(*text)) {
        StripLineEnds(line);
        shown += line;
        shown += "\r\n";
    }
    return shown;
}

}  // namespace zavo
