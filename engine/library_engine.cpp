// ArchiverEngine over the imported ordinals of UNLHA32.DLL. Linked into zavo.exe only, so that
// the test programs never need the library.
#include "engine/archiver_engine.h"

extern "C" {
int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize);
int WINAPI Unlha32IsBusy();
}

namespace zavo {
namespace {

class ImportedEngine : public ArchiverEngine {
public:
    int RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize) override {
        return Unlha32RunCommand(owner, commandLine, output, outputSize);
    }
    int IsBusy() override { return Unlha32IsBusy(); }
};

}  // namespace

ArchiverEngine& LibraryEngine() {
    static ImportedEngine engine;
    return engine;
}

}  // namespace zavo
