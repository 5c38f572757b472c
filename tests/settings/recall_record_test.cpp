// "&REC" with the record dialog and "&1".."&3", driven as a person would, against the real
// registry of the test prefix.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "resources/record_dialog_ids.h"
#include "tests/paths/path_tree.h"
#include "tests/settings/registry_probe.h"
#include "tests/support/test_files.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

const char* const kValueNames[] = {"LZHPath", "BasePath", "File", "ChkOpt", "OtherOpt"};

std::string SlotPath(int slot) { return "Software\\NEVO\\ZAVO\\S" + std::to_string(slot); }

// The window's four recorded texts and four boxes, as a person sets and reads them.
const int kTextIds[] = {IDC_LZH_PATH, IDC_BASE_PATH, IDC_FILE_NAME, IDC_OTHER_OPTION};
const int kBoxIds[] = {IDC_RECURSIVE, IDC_FOLDER_NAME, IDC_NEWER_YES, IDC_ALL_ATTRIB};
struct Shown { std::string texts[4]; bool boxes[4]; };

void Fill(HWND window, const Shown& s) {
    for (int i = 0; i < 4; ++i) {
        ClearEdit(GetDlgItem(window, kTextIds[i]));
        Type(GetDlgItem(window, kTextIds[i]), s.texts[i]);
        SetChecked(window, kBoxIds[i], s.boxes[i]);
    }
}

void ExpectShown(HWND window, const Shown& s, const std::string& label) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ItemTextOf(window, kTextIds[i]), s.texts[i]) << label;
        EXPECT_EQ(IsChecked(window, kBoxIds[i]), s.boxes[i]) << label;
    }
}

// Opens the record dialog with "&REC"; null when it did not appear.
HWND OpenRecordDialog(HWND window) {
    ClickLater(GetDlgItem(window, IDC_RECORD));
    return WaitForWindow(WindowThread(window), "パラメータの記録");
}

// The five values a recording of `shown` leaves, each a REG_SZ stored without a terminating NUL:
// the size is the text's length, 0 for an empty field.
void ExpectSlot(int slot, const Shown& shown, const char* chkOpt) {
    const std::string texts[] = {shown.texts[0], shown.texts[1], shown.texts[2], chkOpt, shown.texts[3]};
    for (size_t i = 0; i < 5; ++i) {
        Probe p = ProbeValue(HKEY_CURRENT_USER, SlotPath(slot), kValueNames[i]);
        EXPECT_EQ(std::make_tuple(p.exists, p.type, p.size, p.bytes),
                  std::make_tuple(true, static_cast<DWORD>(REG_SZ), static_cast<DWORD>(texts[i].size()), texts[i]))
            << slot << " " << kValueNames[i];
    }
}

void PutSlot(int slot, const std::vector<std::string>& values) {
    for (size_t i = 0; i < values.size(); ++i) PutString(HKEY_CURRENT_USER, SlotPath(slot), kValueNames[i], values[i]);
}

// A main window with its "&Close" after `steps`, over a store with no slots.
class RecallSlots : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(HKEY_CURRENT_USER, "Software\\NEVO"); }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, "Software\\NEVO"); }
    void Drive(const std::function<void(HWND)>& steps) {
        RunDriven(dialog, [&](HWND window) { steps(window); Click(GetDlgItem(window, IDC_CLOSE)); });
    }

    RecordingEngine engine;
    ProgramState state;
    MainDialog dialog{engine, state, "zavo.exe"};
};

// "No. 1" carries the accept identity, so Enter (the focus starts on it) records into slot 1.
TEST_F(RecallSlots, RecordWritesFiveStringValuesIntoTheChosenSlotWhileCancelWritesNothing) {
    struct Case { int slot; int button; Shown shown; const char* chkOpt; };
    const Case cases[] = {
        {1, IDC_RECORD_CANCEL, {"NEW.LZH", "C:\\NEW\\", "*.NEW", "", false, true, false, false}, nullptr},
        {1, 0, {"D:\\ARC\\表.LZH", "D:\\WORK\\", "*.TXT", "-gm", true, true, true, true}, "rxja"},
        {2, IDC_RECORD_SLOT_2, {"", "", "", "", false, false, false, false}, ""},
        {3, IDC_RECORD_SLOT_3, {"A.LZH", "C:\\ソフト\\", "*.*", "-jp", true, false, false, true}, "ra"},
    };
    PutSlot(1, {"OLD.LZH", "C:\\OLD\\", "OLD.*", "j", "-old"});
    Drive([&](HWND window) {
        for (const Case& c : cases) {
            Fill(window, c.shown);
            HWND record = OpenRecordDialog(window);
            ASSERT_TRUE(record) << c.slot;
            HWND focus = FocusIn(record);
            EXPECT_EQ(focus, GetDlgItem(record, IDC_RECORD_SLOT_1));
            if (c.button) ClickLater(GetDlgItem(record, c.button));
            else PressKey(focus, VK_RETURN);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(record); })) << c.slot;
            // Recording leaves the window as it was.
            ExpectShown(window, c.shown, "after recording " + std::to_string(c.slot));
            if (!c.chkOpt) { EXPECT_EQ(ProbeValue(HKEY_CURRENT_USER, SlotPath(1), "LZHPath").bytes, "OLD.LZH"); }
        }
    });
    for (const Case& c : cases) if (c.chkOpt) ExpectSlot(c.slot, c.shown, c.chkOpt);
    // The parent keys hold no values of their own.
    EXPECT_FALSE(ProbeValue(HKEY_CURRENT_USER, "Software\\NEVO\\ZAVO", "LZHPath").exists);
}

TEST_F(RecallSlots, AFailedRecordingIsReportedAndWritesNothing) {
    // Only volatile keys can be made under a volatile "NEVO", so creating "ZAVO" fails.
    CreateVolatileKey(HKEY_CURRENT_USER, "Software\\NEVO");
    Drive([&](HWND window) {
        HWND record = OpenRecordDialog(window);
        ASSERT_TRUE(record);
        ClickLater(GetDlgItem(record, IDC_RECORD_SLOT_2));
        HWND box = WaitForWindow(WindowThread(window), "ZAVO");
        ASSERT_TRUE(box);
        EXPECT_NE(MessageBoxText(box).find("HKEY_CURRENT_USER\\Software\\NEVO\\ZAVO"), std::string::npos)
            << MessageBoxText(box);
        EXPECT_EQ(MessageBoxIcon(box), LoadIcon(nullptr, IDI_EXCLAMATION));
        Answer(box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(record); }));
    });
    EXPECT_FALSE(ProbeValue(HKEY_CURRENT_USER, "Software\\NEVO\\ZAVO", "").keyExists);
}

TEST_F(RecallSlots, RecallReplacesTheFiveFieldsAndTheBoxesWhateverTheValues) {
    Scratch folder;
    for (const char* name : {"a1.lzh", "a2.lzh", "b.lzh"}) WriteBytes(folder / name, "");
    // Longer than the 511 bytes a fixed buffer would hold, with double-byte characters.
    std::string longOption;
    while (longOption.size() < 700) longOption += "-w表ソ ";
    const Shown recalled{"D:\\ARC\\ソフト.LZH", "D:\\WORK\\", "*.DOC", longOption, false, true, false, true};
    const Shown typed{"TYPED.LZH", "C:\\TYPED\\", "TYPED.*", "-typed", true, false, true, false};
    Drive([&](HWND window) {
        // Typed, never exchanged: a slot never recorded keeps it all, a recall replaces it all.
        Fill(window, typed);
        Click(GetDlgItem(window, IDC_RECALL_2));
        ExpectShown(window, typed, "never recorded");
        EXPECT_FALSE(ProbeValue(HKEY_CURRENT_USER, "Software\\NEVO", "").keyExists);

        PutSlot(2, {recalled.texts[0], recalled.texts[1], recalled.texts[2], "xa", recalled.texts[3]});
        PutSlot(3, {"", "", "", "", ""});
        // Slot 1 lacks four values and holds "File" as a number: those read as empty.
        PutString(HKEY_CURRENT_USER, SlotPath(1), "LZHPath", "ONLY.LZH");
        const DWORD seven = 7;
        RegSetKeyValueA(HKEY_CURRENT_USER, SlotPath(1).c_str(), "File", REG_DWORD, &seven, sizeof seven);
        Click(GetDlgItem(window, IDC_RECALL_2));
        ExpectShown(window, recalled, "slot 2");
        Click(GetDlgItem(window, IDC_RECALL_3));
        ExpectShown(window, {"", "", "", "", false, false, false, false}, "slot 3, all empty");
        Click(GetDlgItem(window, IDC_RECALL_1));
        ExpectShown(window, {"ONLY.LZH", "", "", "", false, false, false, false}, "slot 1, values missing");

        // The path list, switched on by the first paint, follows the recalled path.
        ASSERT_TRUE(IsChecked(window, IDC_ENABLE_PATH_LIST));
        PutSlot(1, {folder.Path() + "a", "", "*.*", "", ""});
        Click(GetDlgItem(window, IDC_RECALL_1));
        // Sorted: the folder search decides the order.
        EXPECT_EQ(Sorted(ListItems(GetDlgItem(window, IDC_PATH_LIST))), (Items{"a1.lzh", "a2.lzh"}));
    });
}

}  // namespace
}  // namespace zavo
