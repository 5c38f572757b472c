// The registry calls behind registry_key.h.
#include "settings/registry_key.h"

namespace zavo::registry {

LONG OpenKey(HKEY parent, const std::string& path, win::UniqueKey& key) {
    return RegOpenKeyA(parent, path.c_str(), key.Receive());
}

LONG CreateKey(HKEY parent, const std::string& path, win::UniqueKey& key) {
    return RegCreateKeyA(parent, path.c_str(), key.Receive());
}

LONG QueryValue(HKEY key, const char* name, StoredValue& value) {
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        // One spare byte: some callers hand the bytes on as a C string.
        std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
        DWORD got = static_cast<DWORD>(bytes.size());
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &got);
        if (result == ERROR_SUCCESS) {
            bytes.resize(got);
            value.type = type;
            value.bytes = std::move(bytes);
            return ERROR_SUCCESS;
        }
        size = got > size ? got : size * 2 + 16;
    }
    return result;
}

std::optional<std::string> QueryString(HKEY key, const char* name) {
    StoredValue value;
    if (QueryValue(key, name, value) != ERROR_SUCCESS) return std::nullopt;
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return std::nullopt;
    std::string text = std::move(value.bytes);
    std::size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    return text;
}

LONG SetString(HKEY key, const char* name, const std::string& text) { return SetValue(key, name, {REG_SZ, text}); }

LONG SetValue(HKEY key, const char* name, const StoredValue& value) {
    // RegSetValueExA counts a NUL that follows the data into a string value's size. A byte
    // other than NUL after the bytes keeps the stored size at their length.
    std::string data = value.bytes;
    data.push_back('\x01');
    return RegSetValueExA(key, name, 0, value.type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(value.bytes.size()));
}

LONG DeleteValue(HKEY key, const char* name) { return RegDeleteValueA(key, name); }

}  // namespace zavo::registry
