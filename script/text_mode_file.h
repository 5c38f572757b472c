// Script files on disk as the C runtime's text mode gives them on Windows, done with binary I/O
// so that every platform reads and writes the same bytes: CR LF on disk is one line feed in
// memory, and every line feed written reaches the disk as CR LF.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zavo {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The file's text as a text-mode read sees it: each CR LF pair becomes one LF, a CR on its own
// stays, and a Ctrl-Z byte ends the text. Nothing when the file cannot be opened.
std::optional<std::string> ReadTextModeFile(const std::string& path);

// Where an entry is appended: after the file's last byte, or over the Ctrl-Z marks it ends with
// (DOS-era editors ended files with one; the reader stops there). `lineEnded` is false when the
// text before that point is a line without its line break. Nothing when the file cannot be read,
// or when a mark stands before other text, which an append could not make readable.
struct AppendPoint {
    long offset;
    bool lineEnded;
};
std::optional<AppendPoint> FindAppendPoint(std::FILE* file);

// The bytes a text-mode write puts on disk for `text`: every LF becomes CR LF.
std::string TextModeBytes(std::string_view text);

// Writes `text` as a text-mode write would and closes the file; false when anything failed.
bool WriteTextAndClose(File file, std::string_view text);

// The lines of a text read in text mode, without their line feeds. A last line without a line
// feed counts; an empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

// Script paths may come with one line feed behind them (a path taken from a line of text):
// that one character is dropped.
std::string WithoutFinalLineFeed(std::string_view path);

}  // namespace zavo
