// The test build's seams, read from the environment of the process under test.
#include "archiver/test_seam.h"

#include <cstdlib>
#include <cstring>

namespace unlha::test_seam {
namespace {

bool Read(const char* name, char (&value)[32]) { return GetEnvironmentVariableA(name, value, sizeof value) != 0; }

}  // namespace

int FailAfterMembers(unsigned long& error) {
    char value[32] = {};
    error = 0;
    if (!Read("UNLHA32_TEST_FAIL_AFTER", value)) return -1;
    if (const char* colon = std::strchr(value, ':')) error = std::strtoul(colon + 1, nullptr, 10);
    return std::atoi(value);
}

DWORD SlowMsPerFile() {
    char value[32] = {};
    return Read("UNLHA32_TEST_SLOW_MS", value) ? static_cast<DWORD>(std::strtoul(value, nullptr, 10)) : 0;
}

}  // namespace unlha::test_seam
