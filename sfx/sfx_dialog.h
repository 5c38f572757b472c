// The self-extracting program's window: the archive's contents, the destination folder with a
// browse button, Extract and Close, and a progress bar with Cancel while extracting.
#pragma once

#include <string>

#include "sfx/attached_archive.h"
#include "sfx/extractor.h"
#include "win/dialog.h"

namespace sfx {

class SfxDialog : public win::Dialog, private ExtractionHooks {
public:
    SfxDialog(AttachedArchive& archive, std::string title, std::string destination);
    // The exit code: the last extraction's, or kExitCancelled when the window closed without one.
    int ExitCode() const { return exitCode_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;

private:
    bool Begin(const std::string& name, std::uint64_t doneBytes, std::uint64_t totalBytes) override;
    bool Advance(std::uint64_t bytes) override;
    OverwriteAnswer AskOverwrite(const std::string& path) override;

    void FillEntries();
    void Browse();
    void SetExtracting(bool on);
    void ShowProgress();
    // Keeps the window painted and Cancel pressable while the extraction runs on this thread.
    void Pump();

    AttachedArchive& archive_;
    std::string title_;
    std::string destination_;
    int exitCode_;
    bool extracting_ = false;
    bool cancelRequested_ = false;
    std::uint64_t done_ = 0;
    std::uint64_t total_ = 0;
    unsigned long lastPump_ = 0;
};

}  // namespace sfx
