// What the library says, in the user's language: every sentence has an id in message_table.h
// with its English and Japanese text side by side, and is said with Say(M::Id, arguments...).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace unlha {

enum class Language { English, Japanese };

enum class M : int {
#define UNLHA_MESSAGE(id, english, japanese) id,
#include "archiver/message_table.h"
#undef UNLHA_MESSAGE
    Count
};

struct MessageText {
    M id;
    const char* english;
    const char* japanese;   // code page 932, like every string of the library
};

// The whole table, in id order: kMessageCount rows.
extern const MessageText kMessages[];
constexpr std::size_t kMessageCount = static_cast<std::size_t>(M::Count);

// The language of the runs on this thread (each run sets it first).
void SetLanguage(Language language);
Language CurrentLanguage();

// `text` with each "%s" replaced by the next argument and "%%" by "%". Walks characters, so a
// double-byte character is never taken for a placeholder.
std::string FillPlaceholders(std::string_view text, const std::string* arguments, std::size_t count);

namespace detail {
inline std::string Argument(const std::string& s) { return s; }
inline std::string Argument(std::string_view s) { return std::string(s); }
inline std::string Argument(const char* s) { return s ? s : ""; }
template <typename Number, typename = std::enable_if_t<std::is_integral_v<Number>>>
std::string Argument(Number n) { return std::to_string(n); }
}  // namespace detail

std::string Text(M id, Language language);

// The message in the current language; strings and numbers fill its "%s" in order.
template <typename... Args>
std::string Say(M id, const Args&... args) {
    const std::string arguments[] = {std::string(), detail::Argument(args)...};
    return FillPlaceholders(Text(id, CurrentLanguage()), arguments + 1, sizeof...(Args));
}

}  // namespace unlha
