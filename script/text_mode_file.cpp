// Text-mode reading and writing of script files over binary I/O.
#include "script/text_mode_file.h"

namespace zavo {
namespace {

constexpr char kEndOfText = '\x1A';  // Ctrl-Z: a text-mode read stops here

// Every byte from the current position on.
std::string ReadRest(std::FILE* file) {
    std::string bytes;
    char buffer[16384];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    return bytes;
}

}  // namespace

std::optional<std::string> ReadTextModeFile(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::string raw = ReadRest(file.get());

    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == kEndOfText) break;
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }
    return text;
}

std::optional<AppendPoint> FindAppendPoint(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_SET) != 0) return std::nullopt;
    std::string bytes = ReadRest(file);
    if (std::ferror(file)) return std::nullopt;
    std::size_t end = bytes.size();
    while (end > 0 && bytes[end - 1] == kEndOfText) --end;
    // Text behind a mark is never read, and neither would be what is written after it.
    if (bytes.find(kEndOfText) < end) return std::nullopt;
    return AppendPoint{static_cast<long>(end), end == 0 || bytes[end - 1] == '\n'};
}

std::string TextModeBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

bool WriteTextAndClose(File file, std::string_view text) {
    std::string bytes = TextModeBytes(text);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string WithoutFinalLineFeed(std::string_view path) {
    if (!path.empty() && path.back() == '\n') path.remove_suffix(1);
    return std::string(path);
}

}  // namespace zavo
