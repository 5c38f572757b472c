// Reading and preparing registry values in Wine tests with the plain registry API, apart from
// the code under test.
#pragma once

#include <windows.h>

#include <string>

namespace zavo::testing {

struct Probe {
    bool exists = false;
    DWORD type = 0;
    DWORD size = 0;        // as the store reports it when asked for the size alone
    std::string bytes;     // the data as read back
};

inline Probe ProbeValue(HKEY root, const std::string& keyPath, const char* name) {
    Probe probe;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return probe;
    if (RegQueryValueExA(key, name, nullptr, &probe.type, nullptr, &probe.size) == ERROR_SUCCESS) {
        std::string data(probe.size + 16, '\0');
        DWORD got = static_cast<DWORD>(data.size());
        if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &got) ==
            ERROR_SUCCESS) {
            probe.exists = true;
            probe.bytes = data.substr(0, got);
        }
    }
    RegCloseKey(key);
    return probe;
}

inline bool KeyExists(HKEY root, const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// A value of the given type holding exactly `bytes`.
inline void PutValue(HKEY root, const std::string& keyPath, const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    // A NUL right after the data would be counted into a string's size: follow it with another byte.
    std::string data = bytes + '\x01';
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

// A REG_SZ value stored as ZAVO stores it: the text's bytes without a terminating NUL.
inline void PutString(HKEY root, const std::string& keyPath, const char* name, const std::string& text) {
    PutValue(root, keyPath, name, REG_SZ, text);
}

// A key that only volatile keys may be created under: a way to make a later write fail.
inline void CreateVolatileKey(HKEY root, const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

// Wine's RegDeleteTreeA empties the named key but leaves the key itself.
inline void DeleteKeyTree(HKEY root, const std::string& keyPath) {
    RegDeleteTreeA(root, keyPath.c_str());
    RegDeleteKeyA(root, keyPath.c_str());
}

}  // namespace zavo::testing
