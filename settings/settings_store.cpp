// Recall slots under HKEY_CURRENT_USER\Software\NEVO\ZAVO\S1..S3: five REG_SZ values each.
#include "settings/settings_store.h"

#include <windows.h>

#include "settings/registry_key.h"
#include "settings/slot_writer.h"

namespace zavo {
namespace {

class RegistrySlot : public SlotValues {
public:
    explicit RegistrySlot(HKEY key) : key_(key) {}

    std::optional<StoredValue> Snapshot(const char* name) override {
        StoredValue value;
        if (registry::QueryValue(key_, name, value) != ERROR_SUCCESS) return std::nullopt;
        return value;
    }
    bool SetString(const char* name, const std::string& text) override {
        return registry::SetString(key_, name, text) == ERROR_SUCCESS;
    }
    bool Restore(const char* name, const std::optional<StoredValue>& before) override {
        LONG result = before ? registry::SetValue(key_, name, *before) : registry::DeleteValue(key_, name);
        return result == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

}  // namespace

bool LoadSlot(int slot, CommandValues& values) {
    win::UniqueKey key;
    if (registry::OpenKey(HKEY_CURRENT_USER, SlotKeyPath(slot), key) != ERROR_SUCCESS) return false;
    for (const SlotValue& value : kSlotValues) {
        value.load(values, registry::QueryString(key.Get(), value.name).value_or(std::string()));
    }
    return true;
}

std::optional<SaveFailure> SaveSlot(int slot, const CommandValues& values) {
    // Level by level: "Software" must exist; NEVO, ZAVO and the slot key are made as needed.
    std::string path = "Software";
    win::UniqueKey key;
    if (registry::OpenKey(HKEY_CURRENT_USER, path, key) != ERROR_SUCCESS) return SaveFailure{path, {}};
    for (const std::string& child : {std::string("NEVO"), std::string("ZAVO"), SlotKeyName(slot)}) {
        path += "\\" + child;
        win::UniqueKey next;
        if (registry::CreateKey(key.Get(), child, next) != ERROR_SUCCESS) return SaveFailure{path, {}};
        key = std::move(next);
    }
    RegistrySlot slotValues(key.Get());
    if (const char* failed = WriteSlotValues(slotValues, values)) return SaveFailure{path, failed};
    return std::nullopt;
}

}  // namespace zavo
