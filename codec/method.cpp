// The table of LZH compression methods that FindMethod answers from.
#include "codec/method.h"

#include <array>

namespace lzh {
namespace {

// Dictionary bits, NP and PBIT of the block methods follow the archivers that introduced them;
// -lh4- shares -lh5-'s position coding although its window is only 4 KiB.
constexpr std::array<Method, 16> kMethods = {{
    {"-lh0-", MethodKind::Stored, 0, 0, 0, true},
    {"-lhd-", MethodKind::Directory, 0, 0, 0, true},
    {"-lh1-", MethodKind::Lh1, 12, 0, 0, false},
    {"-lh2-", MethodKind::Lh2, 13, 0, 0, false},
    {"-lh3-", MethodKind::Lh3, 13, 0, 0, false},
    {"-lh4-", MethodKind::LhNew, 12, 14, 4, false},
    {"-lh5-", MethodKind::LhNew, 13, 14, 4, true},
    {"-lh6-", MethodKind::LhNew, 15, 16, 5, true},
    {"-lh7-", MethodKind::LhNew, 16, 17, 5, true},
    {"-lhx-", MethodKind::LhNew, 19, 20, 5, false},
    {"-lzs-", MethodKind::Lzs, 11, 0, 0, false},
    {"-lz4-", MethodKind::Stored, 0, 0, 0, false},
    {"-lz5-", MethodKind::Lz5, 12, 0, 0, false},
    {"-pm0-", MethodKind::Stored, 0, 0, 0, false},
    {"-pm1-", MethodKind::Pm1, 13, 0, 0, false},
    {"-pm2-", MethodKind::Pm2, 13, 0, 0, false},
}};

}  // namespace

Method FindMethod(std::string_view id) {
    for (const Method& m : kMethods) {
        if (m.id == id) return m;
    }
    return Method{id, MethodKind::Unknown, 0, 0, 0, false};
}

}  // namespace lzh
