// Small typed calls over the registry's "A" functions, each key owned by a win::UniqueKey.
// Every call returns the registry's own error code (ERROR_SUCCESS when it worked).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/slot_writer.h"
#include "win/unique_handle.h"

namespace zavo::registry {

// An existing key by its path below `parent` (RegOpenKeyA).
LONG OpenKey(HKEY parent, const std::string& path, win::UniqueKey& key);
// A key by its path below `parent`, created with any missing keys on the way (RegCreateKeyA).
LONG CreateKey(HKEY parent, const std::string& path, win::UniqueKey& key);

// The whole value, whatever its length: the size is asked first, and asked again should the
// value grow in between.
LONG QueryValue(HKEY key, const char* name, StoredValue& value);
// A string value's text, up to its first NUL if it has one; nothing when the value is missing
// or not of a string type.
std::optional<std::string> QueryString(HKEY key, const char* name);

// A REG_SZ value whose size is the text's length: no terminating NUL is stored, and an empty
// text is a value of size 0. An empty name sets the key's default value.
LONG SetString(HKEY key, const char* name, const std::string& text);
LONG SetValue(HKEY key, const char* name, const StoredValue& value);
LONG DeleteValue(HKEY key, const char* name);

}  // namespace zavo::registry
