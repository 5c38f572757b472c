// The root part of a path, which folder making skips: drives, shares, "\\?\" and "\\.\" forms.
#include <gtest/gtest.h>

#include "archiver/path_root.h"

namespace unlha {
namespace {

TEST(PathRoot, EndsAfterTheDriveShareOrDevice) {
    const std::string hyo = "\x95\x5C", so = "\x83\x5C", no = "\x94\x5C";   // 表 ソ 能: 0x5C second bytes
    const struct { std::string path, root; } cases[] = {
        {"", ""}, {"dir\\sub\\", ""}, {hyo + "\\" + so + "\\", ""}, {"\\dir\\", "\\"},
        {"C:", "C:"}, {"C:dir\\", "C:"}, {"c:\\dir\\", "c:\\"},
        {"\\\\server\\share\\dir\\sub\\", "\\\\server\\share\\"},
        {"\\\\server\\share", "\\\\server\\share"}, {"\\\\server", "\\\\server"},
        {"\\\\" + hyo + "\\" + so + "\\" + no + "\\", "\\\\" + hyo + "\\" + so + "\\"},
        {"\\\\?\\C:\\dir\\", "\\\\?\\C:\\"}, {"\\\\?\\Z:", "\\\\?\\Z:"}, {"\\\\?\\", "\\\\?\\"},
        {"\\\\?\\unc\\server\\share\\dir\\", "\\\\?\\unc\\server\\share\\"},
        {"\\\\?\\UNC\\" + hyo + "\\" + so + "\\" + no + "\\", "\\\\?\\UNC\\" + hyo + "\\" + so + "\\"},
        {"\\\\?\\Volume{0}\\dir\\", "\\\\?\\Volume{0}\\"},
        {"\\\\.\\C:\\dir\\", "\\\\.\\C:\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.path.substr(0, RootLength(c.path)), c.root) << c.path;
}

}  // namespace
}  // namespace unlha
