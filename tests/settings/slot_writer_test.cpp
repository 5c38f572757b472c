// A recording sets all five values or, when the store refuses one, leaves the slot as it was.
#include <gtest/gtest.h>

#include <map>

#include "settings/slot_writer.h"

namespace zavo {
namespace {

constexpr std::uint32_t kString = 1;  // the store's string type number

// A slot in memory that refuses to set one chosen value.
class FakeSlot : public SlotValues {
public:
    std::map<std::string, StoredValue> values;
    std::string refuse;
    std::vector<std::string> setOrder;

    std::optional<StoredValue> Snapshot(const char* name) override {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool SetString(const char* name, const std::string& text) override {
        setOrder.push_back(name);
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

ParameterSet NewSet() { return {"D:\\ARC\\NEW.LZH", "D:\\NEW\\", "*.TXT", "rx", "-gm"}; }

std::map<std::string, std::string> Texts(const FakeSlot& slot) {
    std::map<std::string, std::string> texts;
    for (const auto& [name, value] : slot.values) texts[name] = value.bytes;
    return texts;
}

TEST(SlotWriter, WritesAllFiveInStoredOrderEmptyOnesIncluded) {
    FakeSlot slot;
    ParameterSet set = NewSet();
    set.otherOpt.clear();
    EXPECT_EQ(WriteParameterSet(slot, set), nullptr);
    EXPECT_EQ(slot.setOrder, (std::vector<std::string>{"LZHPath", "BasePath", "File", "ChkOpt", "OtherOpt"}));
    EXPECT_EQ(Texts(slot), (std::map<std::string, std::string>{{"LZHPath", "D:\\ARC\\NEW.LZH"},
                                                                {"BasePath", "D:\\NEW\\"},
                                                                {"File", "*.TXT"},
                                                                {"ChkOpt", "rx"},
                                                                {"OtherOpt", ""}}));
}

TEST(SlotWriter, AFailedValueLeavesTheSlotAsItWas) {
    const std::map<std::string, StoredValue> old = {{"LZHPath", {kString, "OLD.LZH"}},
                                                   {"BasePath", {kString, "C:\\OLD\\"}},
                                                   {"File", {4, std::string("\x01\x00\x00\x00", 4)}},
                                                   {"ChkOpt", {kString, "a"}}};
    for (const char* refused : {"LZHPath", "BasePath", "File", "ChkOpt", "OtherOpt"}) {
        FakeSlot slot;
        slot.values = old;
        slot.refuse = refused;
        EXPECT_STREQ(WriteParameterSet(slot, NewSet()), refused);
        // Values of any type come back byte for byte; "OtherOpt", missing before, is missing again.
        ASSERT_EQ(slot.values.size(), old.size()) << refused;
        for (const auto& [name, value] : old) {
            EXPECT_EQ(slot.values[name].type, value.type) << refused << " " << name;
            EXPECT_EQ(slot.values[name].bytes, value.bytes) << refused << " " << name;
        }
    }
}

}  // namespace
}  // namespace zavo
