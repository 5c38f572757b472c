// The message table and the filling of its placeholders.
#include "archiver/messages.h"

#include "text/cp932.h"

namespace unlha {
namespace {

// Each run sets the language of its own thread; a run that another thread's busy answer
// interrupts keeps its own.
thread_local Language t_language = Language::English;

}  // namespace

const MessageText kMessages[] = {
#define UNLHA_MESSAGE(id, english, japanese) {M::id, english, japanese},
#include "archiver/message_table.h"
#undef UNLHA_MESSAGE
};
static_assert(sizeof kMessages / sizeof kMessages[0] == kMessageCount);

void SetLanguage(Language language) { t_language = language; }
Language CurrentLanguage() { return t_language; }

std::string Text(M id, Language language) {
    const MessageText& row = kMessages[static_cast<std::size_t>(id)];
    return language == Language::Japanese ? row.japanese : row.english;
}

std::string FillPlaceholders(std::string_view text, const std::string* arguments, std::size_t count) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = cp932::CharLength(text, i);
        if (len == 1 && text[i] == '%' && i + 1 < text.size()) {
            if (text[i + 1] == 's') {
                if (next < count) out += arguments[next++];
                i += 2;
                continue;
            }
            if (text[i + 1] == '%') {
                out += '%';
                i += 2;
                continue;
            }
        }
        out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace unlha
