// The window of the self-extracting program and its extraction on the window's own thread.
#include "sfx/sfx_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "archiver/header_list.h"
#include "sfx/exit_codes.h"
#include "sfx/overwrite_dialog.h"
#include "sfx/sfx_ids.h"
#include "sfx/summary_text.h"
#include "text/cp932.h"
#include "win/controls.h"
#include "win/message_box.h"
#include "win/message_pump.h"
#include "win/window_text.h"

namespace sfx {
namespace {

constexpr int kProgressSteps = 1000;
constexpr DWORD kPumpIntervalMs = 50;

void AddColumn(HWND list, int index, const char* title, int width, int format) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const std::string& name, const std::string& size) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(name.c_str());
    const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    item.iItem = index;
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(size.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

// Starts the folder dialog at the folder typed so far.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

}  // namespace

SfxDialog::SfxDialog(AttachedArchive& archive, std::string title, std::string destination)
    : win::Dialog(IDD_SFX), archive_(archive), title_(std::move(title)), destination_(std::move(destination)),
      exitCode_(kExitCancelled) {}

bool SfxDialog::OnInit() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SFX));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    win::SetText(Handle(), title_ + " - 自己展開書庫");
    FillEntries();
    win::SetText(Item(IDC_SFX_DESTINATION), destination_);
    SendMessageA(Item(IDC_SFX_PROGRESS), PBM_SETRANGE32, 0, kProgressSteps);
    return true;
}

void SfxDialog::FillEntries() {
    HWND list = Item(IDC_SFX_ENTRIES);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT area;
    GetClientRect(list, &area);
    const int sizeWidth = 90;
    AddColumn(list, 0, "名前", area.right - sizeWidth - GetSystemMetrics(SM_CXVSCROLL), LVCFMT_LEFT);
    AddColumn(list, 1, "サイズ", sizeWidth, LVCFMT_RIGHT);
    int row = 0;
    for (const lzh::Entry& entry : archive_.entries)
        AddRow(list, row++, unlha::ShownPath(entry), entry.isDirectory ? "フォルダ" : GroupedNumber(entry.originalSize));
    std::string total = ContentsLine(archive_.entries);
    if (archive_.broken) total += " (この後が壊れています)";
    win::SetText(Item(IDC_SFX_TOTAL), total);
}

bool SfxDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_SFX_BROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    return false;
}

void SfxDialog::Browse() {
    const std::string typed = win::GetText(Item(IDC_SFX_DESTINATION));
    char displayName[MAX_PATH] = {};   // the folder's name alone, which we do not use
    BROWSEINFOA info = {};
    info.hwndOwner = Handle();
    info.pszDisplayName = displayName;
    info.lpszTitle = "展開先のフォルダを選んでください。";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(typed.c_str());
    PIDLIST_ABSOLUTE picked = SHBrowseForFolderA(&info);
    if (!picked) return;
    // The "A" call cuts a path of more than MAX_PATH bytes (a deep Japanese folder) without a
    // terminator; the "W" one holds MAX_PATH characters, which we convert at full length.
    WCHAR wide[MAX_PATH] = {};
    const bool got = SHGetPathFromIDListW(picked, wide);
    CoTaskMemFree(picked);
    const int size = got ? WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr) : 0;
    if (size <= 1) return;
    std::string path(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &path[0], size, nullptr, nullptr);
    path.resize(static_cast<std::size_t>(size - 1));
    win::SetText(Item(IDC_SFX_DESTINATION), path);
}

void SfxDialog::OnOK() {
    if (extracting_) return;
    const std::string destination = cp932::Trim(win::GetText(Item(IDC_SFX_DESTINATION)));
    if (destination.empty()) {
        win::ShowMessage(Handle(), "展開先のフォルダを入力してください。", title_, MB_OK | MB_ICONEXCLAMATION);
        win::Control(Handle(), IDC_SFX_DESTINATION).Focus();
        return;
    }
    SetExtracting(true);
    const ExtractionSummary summary = ExtractAll(archive_, destination, false, *this);
    SetExtracting(false);
    exitCode_ = ExitCodeOf(summary);
    const bool clean = summary.Succeeded();
    win::ShowMessage(Handle(), SummaryText(summary), title_,
                     MB_OK | (clean ? MB_ICONINFORMATION : summary.cancelled ? MB_ICONEXCLAMATION : MB_ICONERROR));
    if (clean) End(IDOK);
}

void SfxDialog::OnCancel() {
    if (extracting_) {
        cancelRequested_ = true;
        return;
    }
    End(IDCANCEL);
}

void SfxDialog::SetExtracting(bool on) {
    extracting_ = on;
    cancelRequested_ = false;
    done_ = 0;
    total_ = 0;
    win::Control(Handle(), IDOK).Enable(!on);
    win::Control(Handle(), IDC_SFX_DESTINATION).Enable(!on);
    win::Control(Handle(), IDC_SFX_BROWSE).Enable(!on);
    win::SetText(Item(IDCANCEL), on ? "中止" : "閉じる");
    if (!on) win::SetText(Item(IDC_SFX_CURRENT), "");
    SendMessageA(Item(IDC_SFX_PROGRESS), PBM_SETPOS, 0, 0);
    if (on) win::Control(Handle(), IDCANCEL).Focus();
}

bool SfxDialog::Begin(const std::string& name, std::uint64_t doneBytes, std::uint64_t totalBytes) {
    done_ = doneBytes;
    total_ = totalBytes;
    win::SetText(Item(IDC_SFX_CURRENT), name);
    ShowProgress();
    Pump();
    return !cancelRequested_;
}

bool SfxDialog::Advance(std::uint64_t bytes) {
    done_ += bytes;
    if (GetTickCount() - lastPump_ >= kPumpIntervalMs) {
        ShowProgress();
        Pump();
    }
    return !cancelRequested_;
}

void SfxDialog::ShowProgress() {
    const std::uint64_t position = total_ ? std::min(done_, total_) * kProgressSteps / total_ : 0;
    SendMessageA(Item(IDC_SFX_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

OverwriteAnswer SfxDialog::AskOverwrite(const std::string& path) {
    OverwriteAnswer answer = OverwriteDialog(path).Ask(Handle());
    if (cancelRequested_) answer = OverwriteAnswer::Cancel;
    return answer;
}

void SfxDialog::Pump() {
    lastPump_ = GetTickCount();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave it for the modal loop, which ends on it.
            PostQuitMessage(static_cast<int>(message.wParam));
            cancelRequested_ = true;
            break;
        }
        win::DispatchToDialog(Handle(), message);
    }
}

}  // namespace sfx
