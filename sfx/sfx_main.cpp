// The self-extracting program: finds the archive behind itself and extracts it, through its
// window or, with -y, without any window at all.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "archiver/file_stream.h"
#include "sfx/attached_archive.h"
#include "sfx/exit_codes.h"
#include "sfx/extractor.h"
#include "sfx/output_folders.h"
#include "sfx/sfx_dialog.h"
#include "sfx/sfx_options.h"
#include "sfx/summary_text.h"
#include "text/cp932.h"
#include "win/message_box.h"
#include "win/module_path.h"

namespace {

constexpr const char* kCaption = "自己展開書庫";

// Unattended: everything is replaced, nothing is asked, nothing is shown.
class SilentHooks : public sfx::ExtractionHooks {
public:
    bool Begin(const std::string&, std::uint64_t, std::uint64_t) override { return true; }
    bool Advance(std::uint64_t) override { return true; }
    sfx::OverwriteAnswer AskOverwrite(const std::string&) override { return sfx::OverwriteAnswer::YesToAll; }
};

int Complain(bool unattended, const std::string& text, int code) {
    if (!unattended) win::ShowMessage(nullptr, text, kCaption, MB_OK | MB_ICONERROR);
    return code;
}

int Run() {
    const sfx::Options options = sfx::ParseOptions(sfx::ArgumentsAfterProgram(GetCommandLineA()));
    if (!options.error.empty())
        return Complain(options.unattended,
                        "コマンドラインが正しくありません (" + options.error + ")。\n\n"
                        "使い方: プログラム名 [-d \"展開先フォルダ\"] [-y]\n"
                        "  -d  展開先フォルダ (省略時はこのプログラムのあるフォルダ)\n"
                        "  -y  確認せずに展開し、既存のファイルは置き換える",
                        sfx::kExitCommandLine);

    const std::string self = win::ProgramPath();
    unlha::FileSource file;
    if (self.empty() || !file.Open(self))
        return Complain(options.unattended, "このプログラム自身を読めません: " + sfx::SystemMessage(file.LastError()),
                        sfx::kExitNoArchive);
    sfx::AttachedArchive archive;
    const sfx::AttachStatus status = sfx::ReadAttachedArchive(file, archive);
    if (status != sfx::AttachStatus::Ok) {
        std::string text = "このプログラムには展開できる書庫が付いていません。";
        if (archive.broken) text += "\n\n" + archive.brokenReason;
        return Complain(options.unattended, text, sfx::kExitNoArchive);
    }

    const std::string folder = cp932::FolderPart(self);
    const std::string destination = options.destination.empty() ? folder : options.destination;
    if (options.unattended) {
        SilentHooks hooks;
        return sfx::ExitCodeOf(sfx::ExtractAll(archive, destination, true, hooks));
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    // The folder dialog of the new style needs COM in a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    sfx::SfxDialog dialog(archive, self.substr(folder.size()), destination);
    const INT_PTR shown = dialog.RunModal(nullptr);
    if (SUCCEEDED(com)) CoUninitialize();
    if (shown == -1) return sfx::kExitCancelled;
    return dialog.ExitCode();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return Run();
    } catch (...) {
        // Out of memory or the like: say so rather than vanish.
        return sfx::kExitEntryProblems;
    }
}
