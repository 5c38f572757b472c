// Reading and preparing registry values in Wine tests with the plain registry API, apart from
// the code under test.
#pragma once

#include <windows.h>

#include <string>

namespace zavo::testing {

struct Probe {
    bool keyExists = false;
    bool exists = false;
    DWORD type = 0;
    DWORD size = 0;        // as the store reports it when asked for the size alone
    std::string bytes;     // the data as read back
};

inline Probe ProbeValue(HKEY root, const std::string& keyPath, const char* name) {
    Probe p;
    HKEY key = nullptr;
    std::string data(1 << 16, '\0');
    DWORD got = static_cast<DWORD>(data.size());
    p.keyExists = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    p.exists = p.keyExists && RegQueryValueExA(key, name, nullptr, &p.type, nullptr, &p.size) == ERROR_SUCCESS;
    p.exists = p.exists && RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)&data[0], &got) == ERROR_SUCCESS;
    if (p.exists) p.bytes = data.substr(0, got);
    RegCloseKey(key);
    return p;
}

// A REG_SZ value stored as ZAVO stores it: the text's bytes without a terminating NUL; its key
// made when missing.
inline void PutString(HKEY root, const std::string& keyPath, const char* name, const std::string& text) {
    // A NUL right after the data would be counted into a string's size: follow it with another byte.
    const std::string data = text + '\x01';
    RegSetKeyValueA(root, keyPath.c_str(), name, REG_SZ, data.data(), static_cast<DWORD>(text.size()));
}

// A key that only volatile keys may be created under: a way to make a later write fail.
inline void CreateVolatileKey(HKEY root, const std::string& keyPath) {
    HKEY key = nullptr;
    RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
}

// Wine's RegDeleteTreeA empties the named key but leaves the key itself.
inline void DeleteKeyTree(HKEY root, const std::string& keyPath) {
    RegDeleteTreeA(root, keyPath.c_str());
    RegDeleteKeyA(root, keyPath.c_str());
}

}  // namespace zavo::testing
