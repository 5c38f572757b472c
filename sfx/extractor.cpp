// One entry after another: check its path, make its folders, decode into a new file beside the
// target and put that in place only when it is complete and its CRC matched.
#include "sfx/extractor.h"

#include <windows.h>

#include "archiver/file_stream.h"
#include "archiver/header_list.h"
#include "archiver/make_folders.h"
#include "archiver/safe_path.h"
#include "archiver/wide_names.h"
#include "sfx/output_folders.h"

namespace sfx {
namespace {

const char* RefusalText(unlha::PathRefusal refusal) {
    using unlha::PathRefusal;
    switch (refusal) {
    case PathRefusal::None: return "";
    case PathRefusal::Empty: return "名前がないか、空の部分があります";
    case PathRefusal::Absolute: return "絶対パスです";
    case PathRefusal::DriveOrStream: return "ドライブ名かストリーム名 (\":\") を含みます";
    case PathRefusal::ParentFolder: return "\"..\" で展開先の外を指します";
    case PathRefusal::DotsOrBlanks: return "ピリオドだけの部分か、ピリオドや空白で終わる部分があります";
    case PathRefusal::DeviceName: return "デバイス名です";
    case PathRefusal::ControlCharacter: return "制御文字を含みます";
    case PathRefusal::ReservedCharacter: return "ファイル名に使えない文字を含みます";
    case PathRefusal::HiddenSeparator: return "名前の中に区切り文字か壊れた2バイト文字があります";
    case PathRefusal::TooLong: return "パスが長すぎます";
    case PathRefusal::BrokenUnicode: return "Unicode の名前に壊れた文字があります";
    case PathRefusal::FoldersDisagree: return "Unicode の名前とコードページの名前でフォルダが食い違います";
    }
    return "展開できない名前です";
}

const char* ExtractFailureText(lzh::ExtractStatus status) {
    switch (status) {
    case lzh::ExtractStatus::CrcMismatch: return "CRC が一致しません (書庫が壊れています)";
    case lzh::ExtractStatus::Truncated: return "書庫が途中で切れています";
    case lzh::ExtractStatus::Corrupt: return "圧縮データが壊れています";
    case lzh::ExtractStatus::UnsupportedMethod: return "対応していない圧縮方式です";
    case lzh::ExtractStatus::ReadFailed: return "書庫を読めません";
    default: return "書き込めません";
    }
}

// The modification time the header records most finely, as a FILETIME (UTC).
bool EntryFileTime(const lzh::Entry& entry, FILETIME& time) {
    ULARGE_INTEGER ticks;
    if (entry.hasWindowsTimes && entry.windowsTimes.lastWrite != 0) {
        ticks.QuadPart = entry.windowsTimes.lastWrite;
    } else if (entry.hasUnixTime && entry.unixTime >= 0) {
        ticks.QuadPart = static_cast<ULONGLONG>(entry.unixTime) * 10000000ULL + 116444736000000000ULL;
    } else if (entry.hasDosTime) {
        // MS-DOS stamps are the archiving machine's local time.
        FILETIME local;
        return DosDateTimeToFileTime(HIWORD(entry.dosTime), LOWORD(entry.dosTime), &local) &&
               LocalFileTimeToFileTime(&local, &time);
    } else {
        return false;
    }
    time.dwLowDateTime = ticks.LowPart;
    time.dwHighDateTime = ticks.HighPart;
    return true;
}

// Passes the sink's writes on to the hooks and remembers a cancel, which the decoder only sees as
// a refused write.
class WriteCounter : public unlha::TransferObserver {
public:
    explicit WriteCounter(ExtractionHooks& hooks) : hooks_(hooks) {}
    bool Transferred(std::size_t bytes) override {
        if (!hooks_.Advance(bytes)) cancelled = true;
        return !cancelled;
    }
    bool cancelled = false;

private:
    ExtractionHooks& hooks_;
};

class Extraction {
public:
    Extraction(AttachedArchive& archive, const std::string& base, bool replaceAll, ExtractionHooks& hooks)
        : archive_(archive), base_(base), replaceAll_(replaceAll), hooks_(hooks) {}

    void Entry(const lzh::Entry& entry);
    void StampFolders();
    ExtractionSummary& Summary() { return summary_; }

private:
    void Refuse(const lzh::Entry& entry, const std::string& why) {
        ++summary_.refused;
        summary_.problems.push_back("拒否: " + unlha::ShownPath(entry) + " (" + why + ")");
    }
    void Fail(const lzh::Entry& entry, const std::string& why) {
        ++summary_.failed;
        summary_.problems.push_back("失敗: " + unlha::ShownPath(entry) + " (" + why + ")");
    }
    bool MayWriteOver(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget, bool& replacing);
    void WriteFile(const lzh::Entry& entry, const std::wstring& target, const std::wstring& folder, bool replacing);

    AttachedArchive& archive_;
    std::string base_;
    bool replaceAll_;
    ExtractionHooks& hooks_;
    ExtractionSummary summary_;
    // Folder entries, in archive order: stamped once their files are written, since every file
    // written into a folder changes its time.
    std::vector<std::pair<std::string, const lzh::Entry*>> folders_;
};

void Extraction::Entry(const lzh::Entry& entry) {
    if (entry.isSymlink) {
        Refuse(entry, "シンボリックリンクは作りません");
        return;
    }
    const unlha::SafePath safe =
        unlha::CheckOutputPath(entry.folders, entry.isDirectory ? std::string() : entry.name, entry.absolute);
    if (!safe.Ok()) {
        Refuse(entry, RefusalText(safe.refusal));
        return;
    }
    // Exact names pass the same rules, and must agree with the code page names about folders.
    const unlha::PathRefusal exact = unlha::HasUnicodePath(entry) ? unlha::CheckUnicodePath(entry) : unlha::PathRefusal::None;
    if (exact != unlha::PathRefusal::None) {
        Refuse(entry, RefusalText(exact));
        return;
    }
    if (!unlha::ConvertsAsWalked(safe.relativePath, entry.folders.size() + (entry.isDirectory ? 0 : 1))) {
        Refuse(entry, RefusalText(unlha::PathRefusal::HiddenSeparator));
        return;
    }
    // The code page path names the file to the user; the exact one is what is written.
    const std::string target = base_ + safe.relativePath;
    const std::wstring wideTarget = unlha::Widen(base_) + unlha::ExactRelativePath(entry, true);
    if (target.size() >= MAX_PATH || wideTarget.size() >= MAX_PATH) {
        Refuse(entry, "展開先でのパスが長すぎます");
        return;
    }
    if (!entry.isDirectory && entry.method.kind == lzh::MethodKind::Unknown) {
        Fail(entry, "対応していない圧縮方式 " + unlha::PrintableName(entry.methodId) + " です");
        return;
    }
    const std::vector<std::wstring> folders = unlha::ExactFolders(entry);
    std::string why;
    if (!MakeFoldersBelow(base_, folders, why)) {
        Fail(entry, why);
        return;
    }
    if (entry.isDirectory) {
        folders_.emplace_back(target, &entry);
        return;
    }
    bool replacing = false;
    if (!MayWriteOver(entry, target, wideTarget, replacing)) return;
    std::wstring folder = unlha::Widen(base_);
    for (const std::wstring& part : folders) folder += part + L"\\";
    WriteFile(entry, wideTarget, folder, replacing);
}

// False when the entry is not to be written: the target is a folder or a link, or the user
// keeps the file that is there.
bool Extraction::MayWriteOver(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget,
                              bool& replacing) {
    const DWORD existing = GetFileAttributesW(wideTarget.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES) return true;
    if (existing & FILE_ATTRIBUTE_REPARSE_POINT) {
        Refuse(entry, "展開先にリンクがあります");
        return false;
    }
    if (existing & FILE_ATTRIBUTE_DIRECTORY) {
        Fail(entry, "同じ名前のフォルダがあります");
        return false;
    }
    if (!replaceAll_) {
        switch (hooks_.AskOverwrite(target)) {
        case OverwriteAnswer::Yes: break;
        case OverwriteAnswer::YesToAll: replaceAll_ = true; break;
        case OverwriteAnswer::No: ++summary_.skipped; return false;
        case OverwriteAnswer::Cancel: summary_.cancelled = true; return false;
        }
    }
    replacing = true;
    return true;
}

void Extraction::WriteFile(const lzh::Entry& entry, const std::wstring& target, const std::wstring& folder,
                           bool replacing) {
    // A new file of our own beside the target, so a damaged entry never destroys the file it
    // would have replaced and never leaves half a file.
    unlha::FileSink sink;
    std::wstring temp;
    // Short, so a target near the path limit still has room for it.
    if (!sink.CreateUnique(folder, L"~zs", L".tmp", temp)) {
        Fail(entry, "書き込めません: " + SystemMessage(sink.LastError()));
        return;
    }
    WriteCounter counter(hooks_);
    sink.ReportTo(&counter);
    const lzh::ExtractResult result = archive_.reader->Extract(entry, sink);
    const bool flushed = sink.Flush();
    FILETIME written, created;
    if (result.status == lzh::ExtractStatus::Ok && flushed && EntryFileTime(entry, written)) {
        created = written;
        if (entry.hasWindowsTimes && entry.windowsTimes.creation != 0) {
            created.dwLowDateTime = static_cast<DWORD>(entry.windowsTimes.creation);
            created.dwHighDateTime = static_cast<DWORD>(entry.windowsTimes.creation >> 32);
        }
        SetFileTime(sink.Handle(), &created, &written, &written);
    }
    sink.Close();
    if (result.status != lzh::ExtractStatus::Ok || !flushed) {
        DeleteFileW(temp.c_str());
        if (counter.cancelled) {
            summary_.cancelled = true;
            return;
        }
        if (result.status == lzh::ExtractStatus::Ok || result.status == lzh::ExtractStatus::WriteFailed)
            Fail(entry, "書き込めません: " + SystemMessage(sink.LastError()));
        else
            Fail(entry, ExtractFailureText(result.status));
        return;
    }
    if (replacing) {
        const DWORD old = GetFileAttributesW(target.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesW(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), replacing ? MOVEFILE_REPLACE_EXISTING : 0)) {
        const DWORD error = GetLastError();
        DeleteFileW(temp.c_str());
        Fail(entry, "書き込めません: " + SystemMessage(error));
        return;
    }
    ++(replacing ? summary_.replaced : summary_.extracted);
}

void Extraction::StampFolders() {
    // A folder entry comes before what it holds, so going backwards stamps inner folders first.
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) {
        FILETIME written;
        if (!EntryFileTime(*it->second, written)) continue;
        // Never through a link that took the folder's place since it was made.
        HANDLE folder = CreateFileA(it->first.c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (folder == INVALID_HANDLE_VALUE) continue;
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileInformationByHandle(folder, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            FILETIME created = written;
            const std::uint64_t creation = it->second->hasWindowsTimes ? it->second->windowsTimes.creation : 0;
            if (creation != 0) {
                created.dwLowDateTime = static_cast<DWORD>(creation);
                created.dwHighDateTime = static_cast<DWORD>(creation >> 32);
            }
            SetFileTime(folder, &created, &written, &written);
        }
        CloseHandle(folder);
    }
}

}  // namespace

ExtractionSummary ExtractAll(AttachedArchive& archive, const std::string& destination, bool replaceExisting,
                             ExtractionHooks& hooks) {
    Extraction extraction(archive, WithTrailingSeparator(destination), replaceExisting, hooks);
    ExtractionSummary& summary = extraction.Summary();
    std::string why;
    if (!MakeDestination(destination, why)) {
        summary.destinationFailed = true;
        summary.problems.push_back(why);
        return summary;
    }
    std::uint64_t total = 0, done = 0;
    for (const lzh::Entry& entry : archive.entries) total += entry.originalSize;
    for (const lzh::Entry& entry : archive.entries) {
        if (!hooks.Begin(unlha::ShownPath(entry), done, total)) summary.cancelled = true;
        if (summary.cancelled) break;
        extraction.Entry(entry);
        done += entry.originalSize;
    }
    extraction.StampFolders();
    summary.damagedArchive = archive.broken;
    if (archive.broken)
        summary.problems.push_back("書庫の " + std::to_string(archive.entries.size()) +
                                   " 番目の項目より後が壊れています: " + archive.brokenReason);
    return summary;
}

}  // namespace sfx
