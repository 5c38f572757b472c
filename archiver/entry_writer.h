// One archive entry onto the disk, for UNLHA32.DLL and the self-extracting program alike: the
// path checks, the folders, the decision about a file already there, decoding into the new file
// (or, for a replacement, a file beside the target), the move into place and the time stamps. What differs between the two
// (who decides about an existing file, how an outcome is told) is the caller's EntryPolicy.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "archiver/file_stream.h"
#include "archiver/make_folders.h"
#include "archiver/safe_path.h"
#include "codec/archive.h"

namespace unlha {

enum class EntryProblemKind {
    SymbolicLink,           // links are never made
    PathRefused,            // `refusal` says why
    TooLongForDestination,  // below this destination the path passes the limit
    ExistingIsLink,         // a link stands at `target`
    FolderOfThatName,       // a folder stands at the target
    MethodUnsupported,      // the entry's method is unknown
    FolderNotMade,          // `stop` says where and why
    CannotWrite,            // `target` could not be written (`error`)
    DataDamaged,            // `result` says how
};

// Why an entry was refused or failed; each caller words it in its own language.
struct EntryProblem {
    EntryProblemKind kind = EntryProblemKind::SymbolicLink;
    PathRefusal refusal = PathRefusal::None;
    FolderStop stop;
    std::string target;          // code page path, for messages
    unsigned long error = 0;
    lzh::ExtractResult result;
};

class EntryPolicy {
public:
    // A file stands at `target` already: true replaces it. The policy tells of what it keeps
    // (and notes a cancel) itself.
    virtual bool MayReplace(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget) = 0;
    // Refused: the entry's path or what stands in its way is unsafe. Failed: it could not be done.
    virtual void Refused(const lzh::Entry& entry, const EntryProblem& problem) = 0;
    virtual void Failed(const lzh::Entry& entry, const EntryProblem& problem) = 0;
    virtual void FolderMade(const lzh::Entry& entry) = 0;
    virtual void Written(const lzh::Entry& entry, bool replaced) = 0;
    // Hears the bytes written; a cancel it notes makes Cancelled() true.
    virtual TransferObserver* Transfers() = 0;
    virtual bool Cancelled() const = 0;

protected:
    ~EntryPolicy() = default;
};

struct EntryOptions {
    bool keepFolders = true;         // false (e): every file straight into the base folder
    bool restoreAttributes = false;  // read-only, hidden, system, archive from the header
};

class EntryWriter {
public:
    // `base` is empty (the current folder) or ends with a separator.
    EntryWriter(lzh::ArchiveReader& reader, const std::string& base, EntryOptions options, EntryPolicy& policy)
        : reader_(reader), base_(base), options_(options), policy_(policy) {}

    void Write(const lzh::Entry& entry);
    // Sets the folder entries' stamps, once every file is written into them.
    void StampFolders();

private:
    void Refuse(const lzh::Entry& entry, EntryProblem problem) { policy_.Refused(entry, problem); }
    void Fail(const lzh::Entry& entry, EntryProblem problem) { policy_.Failed(entry, problem); }
    void WriteFile(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget,
                   const std::wstring& folder, FileSink& sink, bool replacing);
    void RestoreAttributes(const std::wstring& path, const lzh::Entry& entry);

    lzh::ArchiveReader& reader_;
    std::string base_;
    EntryOptions options_;
    EntryPolicy& policy_;
    // Folder entries made, in archive order: their stamps are set once their files are written,
    // since every file written into a folder changes its time.
    std::vector<std::pair<std::wstring, const lzh::Entry*>> folders_;
    // Folders (ending with a separator) made or checked in this run.
    std::unordered_set<std::wstring> readyFolders_;
};

}  // namespace unlha
