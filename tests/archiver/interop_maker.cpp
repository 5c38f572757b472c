// Makes archives through UNLHA32.DLL for the interoperability check with lhasa and 7zz:
// interop_maker FOLDER\ writes FOLDER\src\ (a small tree with empty folders) and one archive per
// method and level.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/archiver/library_harness.h"

namespace {

// Names beyond code page 932 are made with the wide functions; Wine stores them as UTF-8.
void WriteWide(const std::wstring& path, const std::string& bytes) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring Wide(const std::string& text) {
    wchar_t buffer[MAX_PATH];
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    const std::string src = folder + "src\\";
    using unlha_test::TextData;
    unlha_test::WriteBytes(src + "a.txt", TextData(50000, 1));
    unlha_test::WriteBytes(src + "empty.dat", "");
    unlha_test::WriteBytes(src + "big.bin", TextData(2 * 1024 * 1024 + 3, 2));
    unlha_test::WriteBytes(src + "sub\\deep\\nested.txt", TextData(7000, 3));
    unlha_test::WriteBytes(src + "\x83\x5C\\\x95\x5C.txt", TextData(900, 4));   // ソ\表.txt
    // Empty folders travel as folder entries only.
    CreateDirectoryA((src + "emptydir").c_str(), nullptr);
    CreateDirectoryA((src + "sub\\deep\\void").c_str(), nullptr);
    const char* variants[] = {"-h0 -o5", "-h1 -o6", "-h2 -o7", "-h2 -z", "-h1 -o5"};
    int status = 0;
    int n = 0;
    for (const char* switches : variants) {
        const std::string archive = folder + "made" + std::to_string(n++) + ".lzh";
        unlha_test::Outcome o = unlha_test::Unlha(std::string("a -n -r1 -x1 ") + switches + " \"" + archive + "\" \"" + src + "\"");
        std::printf("%s %s: %d\n", archive.c_str(), switches, o.code);
        if (o.code != 0) {
            std::printf("%s\n", o.text.c_str());
            status = 1;
        }
    }
    // Exact names in ext 0x44/0x45: other readers see the code page fallbacks ("caf_~2.txt" for
    // café.txt, whose plain fallback a real file has).
    const std::string usrc = folder + "usrc\\";
    const std::wstring names[] = {L"café.txt", L"caf_.txt", L"😀.txt", L"한국어\\보고서.txt"};
    unsigned seed = 10;
    for (const std::wstring& name : names) WriteWide(Wide(usrc) + name, TextData(800 + seed, seed)), ++seed;
    for (const char* switches : {"-h1", "-h2"}) {
        const std::string archive = folder + "unicode" + std::to_string(n++) + ".lzh";
        unlha_test::Outcome o = unlha_test::Unlha(std::string("a -n -r1 -x1 ") + switches + " \"" + archive + "\" \"" + usrc + "\"");
        std::printf("%s %s: %d\n", archive.c_str(), switches, o.code);
        if (o.code != 0) {
            std::printf("%s\n", o.text.c_str());
            status = 1;
        }
    }
    return status;
}
