// Makes archives through UNLHA32.DLL for the interoperability check with lhasa and 7zz:
// interop_maker FOLDER\ writes FOLDER\src\ (a small tree with empty folders) with one archive
// madeN.lzh per method and level, and FOLDER\usrc\ (names beyond code page 932) with unicodeN.lzh.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/archiver/library_harness.h"

using namespace unlha_test;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1], src = folder + "src\\", usrc = folder + "usrc\\";
    WriteBytes(src + "a.txt", TextData(50000, 1));
    WriteBytes(src + "empty.dat", "");
    WriteBytes(src + "big.bin", TextData(2 * 1024 * 1024 + 3, 2));
    WriteBytes(src + "sub\\deep\\nested.txt", TextData(7000, 3));
    WriteBytes(src + "\x83\x5C\\\x95\x5C.txt", TextData(900, 4));   // ソ\表.txt
    // Empty folders travel as folder entries only.
    CreateDirectoryA((src + "emptydir").c_str(), nullptr);
    CreateDirectoryA((src + "sub\\deep\\void").c_str(), nullptr);
    // Exact names in ext 0x44/0x45: other readers see the code page fallbacks ("caf_~2.txt" for
    // café.txt, whose plain fallback a real file has).
    unsigned seed = 10;
    for (const wchar_t* name : {L"café.txt", L"caf_.txt", L"😀.txt", L"한국어\\보고서.txt"})
        WriteWide(WideOf(usrc) + name, TextData(800 + seed, seed)), ++seed;
    const struct { const char *archive, *switches; const std::string& source; } variants[] = {{"made0", "-h0 -o5", src}, {"made1", "-h1 -o6", src},    {"made2", "-h2 -o7", src},
                    {"made3", "-h2 -z", src},  {"made4", "-h1 -o5", src},    {"unicode5", "-h1", usrc},
                    {"unicode6", "-h2", usrc}};
    int status = 0;
    for (const auto& v : variants) {
        const std::string archive = folder + v.archive + ".lzh";
        Outcome o = Unlha(std::string("a -n -r1 -x1 ") + v.switches + " " + Quoted(archive) + " " + Quoted(v.source));
        std::printf("%s %s: %d\n", archive.c_str(), v.switches, o.code);
        if (o.code != 0) std::printf("%s\n", o.text.c_str()), status = 1;
    }
    return status;
}
