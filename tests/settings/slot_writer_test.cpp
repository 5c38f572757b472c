// A recording that the store refuses part way leaves the slot as it was.
#include <gtest/gtest.h>

#include <map>

#include "settings/slot_writer.h"

namespace zavo {

bool operator==(const StoredValue& a, const StoredValue& b) { return a.type == b.type && a.bytes == b.bytes; }

namespace {

constexpr std::uint32_t kString = 1;  // the store's string type number

// A slot in memory that refuses to set one chosen value.
struct FakeSlot : SlotValues {
    std::map<std::string, StoredValue> values;
    std::string refuse;

    std::optional<StoredValue> Snapshot(const char* name) override {
        return values.count(name) ? std::optional(values[name]) : std::nullopt;
    }
    bool SetString(const char* name, const std::string& text) override {
        if (refuse == name) return false;
        values[name] = StoredValue{kString, text};
        return true;
    }
    bool Restore(const char* name, const std::optional<StoredValue>& before) override {
        if (before) values[name] = *before;
        else values.erase(name);
        return true;
    }
};

TEST(SlotWriter, AFailedValueLeavesTheSlotAsItWas) {
    const std::map<std::string, StoredValue> old = {{"LZHPath", {kString, "OLD.LZH"}}, {"BasePath", {kString, "C:\\OLD\\"}},
                                                   {"File", {4, std::string("\x01\x00\x00\x00", 4)}}, {"ChkOpt", {kString, "a"}}};
    for (const char* refused : {"LZHPath", "BasePath", "File", "ChkOpt", "OtherOpt"}) {
        FakeSlot slot;
        slot.values = old;
        slot.refuse = refused;
        const CommandValues values{"a ", "D:\\ARC\\NEW.LZH", "D:\\NEW\\", "*.TXT", {true, true, false, false}, "-gm"};
        EXPECT_STREQ(WriteSlotValues(slot, values), refused);
        // Values of any type come back byte for byte; "OtherOpt", missing before, is missing again.
        EXPECT_TRUE(slot.values == old) << refused;
    }
}

}  // namespace
}  // namespace zavo
