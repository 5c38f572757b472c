// Makes archives through UNLHA32.DLL for the interoperability check with lhasa and 7zz:
// interop_maker FOLDER\ writes FOLDER\src\ (a small tree with empty folders) and one archive per
// method and level.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/archiver/library_harness.h"

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
    return status;
}
