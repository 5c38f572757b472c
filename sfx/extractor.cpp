// One entry after another through the shared entry writer, with the user deciding about existing
// files and every problem told in Japanese.
#include "sfx/extractor.h"

#include <windows.h>

#include "archiver/entry_writer.h"
#include "archiver/header_list.h"
#include "sfx/output_folders.h"
#include "text/cp932.h"

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

// The program's side of extraction: the user (or -y) decides about existing files, and every
// refused or failed entry becomes a line of Japanese text for the closing window.
class ProgramPolicy : public unlha::EntryPolicy, public unlha::TransferObserver {
public:
    ProgramPolicy(bool replaceAll, ExtractionHooks& hooks) : replaceAll_(replaceAll), hooks_(hooks) {}

    bool MayReplace(const lzh::Entry&, const std::string& target, const std::wstring&) override {
        if (replaceAll_) return true;
        switch (hooks_.AskOverwrite(target)) {
        case OverwriteAnswer::Yes: return true;
        case OverwriteAnswer::YesToAll: replaceAll_ = true; return true;
        case OverwriteAnswer::No: ++summary_.skipped; return false;
        case OverwriteAnswer::Cancel: summary_.cancelled = true; return false;
        }
        return false;
    }
    void Refused(const lzh::Entry& entry, const unlha::EntryProblem& problem) override {
        ++summary_.refused;
        summary_.problems.push_back("拒否: " + unlha::ShownPath(entry) + " (" + Reason(entry, problem) + ")");
    }
    void Failed(const lzh::Entry& entry, const unlha::EntryProblem& problem) override {
        ++summary_.failed;
        summary_.problems.push_back("失敗: " + unlha::ShownPath(entry) + " (" + Reason(entry, problem) + ")");
    }
    void FolderMade(const lzh::Entry&) override {}
    void Written(const lzh::Entry&, bool replaced) override { ++(replaced ? summary_.replaced : summary_.extracted); }
    unlha::TransferObserver* Transfers() override { return this; }
    bool Cancelled() const override { return summary_.cancelled; }
    // A cancel in the window: the decoder only sees it as a refused write.
    bool Transferred(std::size_t bytes) override {
        if (!hooks_.Advance(bytes)) summary_.cancelled = true;
        return !summary_.cancelled;
    }

    ExtractionSummary& Summary() { return summary_; }

private:
    static std::string Reason(const lzh::Entry& entry, const unlha::EntryProblem& problem) {
        using Kind = unlha::EntryProblemKind;
        switch (problem.kind) {
        case Kind::SymbolicLink: return "シンボリックリンクは作りません";
        case Kind::PathRefused: return RefusalText(problem.refusal);
        case Kind::TooLongForDestination: return "展開先でのパスが長すぎます";
        case Kind::ExistingIsLink: return "展開先にリンクがあります";
        case Kind::FolderOfThatName: return "同じ名前のフォルダがあります";
        case Kind::MethodUnsupported: return "対応していない圧縮方式 " + unlha::PrintableName(entry.methodId) + " です";
        case Kind::FolderNotMade: return FolderFailure(problem.stop);
        case Kind::CannotWrite: return "書き込めません: " + SystemMessage(problem.error);
        case Kind::DataDamaged: return ExtractFailureText(problem.result.status);
        }
        return "展開できません";
    }

    bool replaceAll_;
    ExtractionHooks& hooks_;
    ExtractionSummary summary_;
};

}  // namespace

ExtractionSummary ExtractAll(AttachedArchive& archive, const std::string& destination, bool replaceExisting,
                             ExtractionHooks& hooks) {
    ProgramPolicy policy(replaceExisting, hooks);
    unlha::EntryWriter writer(*archive.reader, cp932::WithFolderSeparator(destination), unlha::EntryOptions(), policy);
    ExtractionSummary& summary = policy.Summary();
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
        writer.Write(entry);
        done += entry.originalSize;
    }
    writer.StampFolders();
    summary.damagedArchive = archive.broken;
    if (archive.broken)
        summary.problems.push_back("書庫の " + std::to_string(archive.entries.size()) +
                                   " 番目の項目より後が壊れています: " + archive.brokenReason);
    return summary;
}

}  // namespace sfx
