// Parses the command lines that the front end composes and that users type.
#include "archiver/command_line.h"

#include <cctype>

#include "text/cp932.h"

namespace unlha {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsCommandLetter(char c) {
    for (char known : std::string_view("aufdexlvts"))
        if (c == known) return true;
    return false;
}

// One switch token after its '-': letters may be combined ("-r1x1"), each with its own value.
bool ParseSwitches(std::string_view body, Switches& s, std::string& error) {
    auto unknown = [&](std::size_t at) {
        error = Say(M::UnknownSwitch, body.substr(at), body);
        return false;
    };
    // The on/off value of -r, -x, -a, -c: none or '1' is on, '0' is off.
    auto onOff = [&](std::size_t& i, bool& flag) {
        flag = true;
        if (i < body.size() && (body[i] == '0' || body[i] == '1')) flag = body[i++] == '1';
    };
    if (body.empty()) return unknown(0);
    for (std::size_t i = 0; i < body.size();) {
        const std::size_t start = i;
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(body[i++])));
        switch (letter) {
        case 'r': onOff(i, s.recurse); break;
        case 'x': onOff(i, s.keepFolders); break;
        case 'a': onOff(i, s.allAttributes); break;
        case 'c': onOff(i, s.ignoreTimes); break;
        case 'z': s.methodId = "-lh0-"; break;
        case 'o':
            if (i < body.size() && body[i] >= '5' && body[i] <= '7') {
                s.methodId = std::string("-lh") + body[i++] + "-";
                break;
            }
            return unknown(start);
        case 'h':
            if (i < body.size() && body[i] >= '0' && body[i] <= '2') {
                s.headerLevel = body[i++] - '0';
                break;
            }
            return unknown(start);
        case 't': {
            // One or two digits: a thread count, 0 for every core.
            std::size_t digits = 0;
            while (digits < 2 && i + digits < body.size() && std::isdigit(static_cast<unsigned char>(body[i + digits])))
                ++digits;
            if (digits == 0) return unknown(start);
            s.threads = std::stoi(std::string(body.substr(i, digits)));
            i += digits;
            break;
        }
        case 'n':
            s.noWindows = true;
            if (i < body.size() && std::isdigit(static_cast<unsigned char>(body[i]))) s.noWindows = body[i++] != '0';
            break;
        case 'l':
            if (i < body.size() && (body[i] == 'e' || body[i] == 'E' || body[i] == 'j' || body[i] == 'J')) {
                s.language = body[i] == 'e' || body[i] == 'E' ? Language::English : Language::Japanese;
                ++i;
                break;
            }
            return unknown(start);
        case 'j':
            if (cp932::AsciiUpper(body.substr(i, 2)) == "YO") {
                s.overwrite = true;
                i += 2;
                break;
            }
            return unknown(start);
        default: return unknown(start);
        }
    }
    return true;
}

bool EndsAsFolder(std::string_view arg) {
    return cp932::EndsWithChar(arg, '\\') || cp932::EndsWithChar(arg, ':');
}

}  // namespace

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        Token token;
        bool inQuotes = false;
        while (i < line.size() && (inQuotes || !IsBlank(line[i]))) {
            const std::size_t len = cp932::CharLength(line, i);
            if (len == 1 && line[i] == '"') {
                inQuotes = !inQuotes;
                token.quoted = true;
            } else {
                token.text.append(line.substr(i, len));
            }
            i += len;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string WithDefaultExtension(const std::string& path) {
    std::size_t partStart = 0;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (cp932::CharLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':')) partStart = i + 1;
    }
    if (partStart == path.size() || cp932::ContainsChar(std::string_view(path).substr(partStart), '.')) return path;
    return path + ".LZH";
}

bool AsksNoWindows(std::string_view line) {
    for (const Token& t : Tokenize(line)) {
        if (t.quoted || t.text.size() < 2 || t.text[0] != '-' || (t.text[1] != 'n' && t.text[1] != 'N')) continue;
        if (t.text.size() == 2 || (t.text.size() == 3 && t.text[2] >= '1' && t.text[2] <= '9')) return true;
    }
    return false;
}

std::optional<Language> AskedLanguage(std::string_view line) {
    std::optional<Language> asked;
    for (const Token& t : Tokenize(line)) {
        if (t.quoted || t.text.size() < 2 || t.text[0] != '-') continue;
        Switches s;
        std::string error;
        if (ParseSwitches(std::string_view(t.text).substr(1), s, error) && s.language) asked = s.language;
    }
    return asked;
}

ParseResult ParseCommandLine(std::string_view line) {
    ParseResult result;
    std::vector<Token> tokens = Tokenize(line);
    if (tokens.empty()) {
        result.error = Say(M::EmptyCommandLine);
        return result;
    }
    const Token& first = tokens.front();
    if (first.text.size() != 1 || !IsCommandLetter(static_cast<char>(std::tolower(static_cast<unsigned char>(first.text[0]))))) {
        result.error = Say(M::UnknownCommand, first.text);
        return result;
    }
    Command& c = result.command;
    c.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(first.text[0])));

    std::vector<Token> positional;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (!t.quoted && t.text.size() > 1 && t.text[0] == '-') {
            if (!ParseSwitches(std::string_view(t.text).substr(1), c.switches, result.error)) return result;
        } else {
            positional.push_back(t);
        }
    }
    if (positional.empty() || positional.front().text.empty()) {
        result.error = Say(M::NoArchiveNamed);
        return result;
    }
    c.archivePath = WithDefaultExtension(positional.front().text);
    std::size_t next = 1;
    // The argument after the archive is the base folder when it ends like a folder; the front end
    // always sends one, as an empty pair of quotes when there is none.
    if (next < positional.size() && (EndsAsFolder(positional[next].text) || positional[next].text.empty())) {
        c.baseFolder = positional[next].text;
        ++next;
    }
    for (; next < positional.size(); ++next) {
        if (!positional[next].text.empty()) c.fileNames.push_back(positional[next].text);
    }
    if (c.fileNames.empty()) c.fileNames.push_back("*.*");
    result.ok = true;
    return result;
}

}  // namespace unlha
