// Every interoperability archive is walked by ArchiveReader and listed as the independent
// reference listing does (expected/<creator>/<name>-hdr.txt).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "codec/archive.h"
#include "tests/codec/vectors.h"
#include "text/cp932.h"

namespace {

namespace fs = std::filesystem;
using Listing = std::vector<std::map<std::string, std::string>>;

using lzh_test::kVectors;

Listing ReadExpected(const fs::path& file) {
    Listing listing(1);
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line == "--") {
            listing.emplace_back();
            continue;
        }
        std::size_t colon = line.find(": ");
        if (colon != std::string::npos) listing.back()[line.substr(0, colon)] = line.substr(colon + 2);
    }
    listing.pop_back();
    return listing;
}

// The reference listing shows folders with '/' separators.
std::string Slashed(const std::string& path) {
    std::string out;
    for (std::size_t pos = 0; pos < path.size();) {
        std::size_t len = cp932::CharLength(path, pos);
        out += (len == 1 && path[pos] == '\\') ? std::string("/") : path.substr(pos, len);
        pos += len;
    }
    return out;
}

// The reference lower-cases some names that DOS-era tools stored in capitals; we keep the bytes.
std::string AsReferenceCases(const std::string& s) {
    std::string out;
    bool hasLower = false;
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t len = cp932::CharLength(s, pos);
        if (len == 1 && s[pos] >= 'a' && s[pos] <= 'z') hasLower = true;
        out += len == 1 && s[pos] >= 'A' && s[pos] <= 'Z' ? static_cast<char>(s[pos] - 'A' + 'a') : s[pos];
        if (len == 2) out += s[pos + 1];
        pos += len;
    }
    return hasLower ? s : out;
}

// The expected listings were made on a clock of Europe/London: MS-DOS stamps (local time) are
// read as that zone's time.
std::int64_t DosTimeAsLondon(std::uint32_t stamp) {
    setenv("TZ", "Europe/London", 1);
    tzset();
    std::tm t{};
    t.tm_year = 80 + static_cast<int>(stamp >> 25);
    t.tm_mon = static_cast<int>((stamp >> 21) & 0x0F) - 1;
    t.tm_mday = static_cast<int>((stamp >> 16) & 0x1F);
    t.tm_hour = static_cast<int>((stamp >> 11) & 0x1F);
    t.tm_min = static_cast<int>((stamp >> 5) & 0x3F);
    t.tm_sec = static_cast<int>(stamp & 0x1F) * 2;
    t.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&t));
}

std::string Format(const char* format, unsigned long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

std::map<std::string, std::string> Describe(const lzh::Entry& e) {
    std::map<std::string, std::string> d;
    std::string folders;
    for (const std::string& f : e.folders) folders += f + "/";
    if (!folders.empty()) d["path"] = (e.absolute ? "/" : "") + folders;
    if (!e.name.empty()) d["filename"] = e.name;
    if (e.isSymlink) d["symlink_target"] = Slashed(e.linkTarget);
    d["compress_method"] = e.methodId;
    d["compressed_length"] = std::to_string(e.packedSize);
    d["length"] = std::to_string(e.originalSize);
    d["header_level"] = std::to_string(e.level);
    d["os_type"] = std::to_string(e.osId);
    if (e.osId >= 0x21 && e.osId < 0x7F) d["os_type"] += std::string(" ('") + static_cast<char>(e.osId) + "')";
    d["crc"] = Format("%04llx", e.crc);
    if (e.hasUnixTime) d["timestamp"] = std::to_string(e.unixTime);
    else if (e.hasDosTime && e.dosTime != 0) d["timestamp"] = std::to_string(DosTimeAsLondon(e.dosTime));
    if (e.hasHeaderCrc) d["common_crc"] = Format("%04llx", e.headerCrc);
    if (e.hasUnixMode) d["unix_perms"] = Format("0%llo", e.unixMode);
    if (e.hasUnixOwner) {
        d["unix_uid"] = std::to_string(e.unixUid);
        d["unix_gid"] = std::to_string(e.unixGid);
    }
    if (e.hasWindowsTimes) {
        d["win_creation_time"] = std::to_string(e.windowsTimes.creation);
        d["win_modification_time"] = std::to_string(e.windowsTimes.lastWrite);
        d["win_access_time"] = std::to_string(e.windowsTimes.lastAccess);
    }
    return d;
}

// OS-9 permissions live in an OS-specific level-0 area we keep raw; nothing else is skipped.
bool Compared(const std::string& key, const lzh::Entry& e) {
    if (key == "os9_perms") return false;
    if (key == "unix_perms" && (e.osId == '9' || e.osId == 'K')) return false;
    return true;
}

TEST(VectorListing, EveryArchiveListsAsTheReference) {
    ASSERT_VECTORS_PRESENT();
    int archives = 0;
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(kVectors / "expected")) {
        const std::string expectedName = file.path().filename().string();
        if (expectedName.size() < 8 || expectedName.substr(expectedName.size() - 8) != "-hdr.txt") continue;
        const fs::path relative = fs::relative(file.path().parent_path(), kVectors / "expected") /
                                  expectedName.substr(0, expectedName.size() - 8);
        SCOPED_TRACE(relative.string());
        const Listing expected = ReadExpected(file.path());

        std::ifstream in(kVectors / "archives" / relative, std::ios::binary);
        ASSERT_TRUE(in) << "archive missing";
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        lzh::MemorySource source(bytes);
        lzh::ArchiveReader reader(source);
        std::vector<lzh::Entry> entries;
        lzh::Entry entry;
        while (reader.Next(entry) == lzh::ReadStatus::Entry) entries.push_back(entry);
        EXPECT_EQ(reader.Next(entry), lzh::ReadStatus::End) << reader.ErrorText();
        ++archives;

        ASSERT_EQ(entries.size(), expected.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            SCOPED_TRACE("entry " + std::to_string(i));
            std::map<std::string, std::string> ours = Describe(entries[i]);
            for (const auto& [key, value] : expected[i]) {
                if (!Compared(key, entries[i])) continue;
                std::string mine = ours[key];
                if ((key == "path" || key == "filename") && mine != value) mine = AsReferenceCases(mine);
                // The reference renames empty -lh0- members ending in a separator to -lhd-; we
                // keep the id and mark them as folders.
                if (key == "compress_method" && entries[i].isDirectory && value == "-lhd-") mine = "-lhd-";
                EXPECT_EQ(mine, value) << key;
            }
            for (const char* key : {"path", "filename", "symlink_target", "common_crc", "unix_perms", "win_creation_time"}) {
                if (expected[i].count(key) == 0 && Compared(key, entries[i])) {
                    EXPECT_EQ(ours.count(key), 0u) << key;
                }
            }
        }
    }
    EXPECT_GT(archives, 100);
}

}  // namespace
