// The test build's seams, read from the environment of the process under test.
#include "archiver/test_seam.h"

#include <cstdlib>

namespace unlha::test_seam {
namespace {

bool Read(const char* name, char (&value)[32]) { return GetEnvironmentVariableA(name, value, sizeof value) != 0; }

}  // namespace

int FailAfterMembers() {
    char value[32] = {};
    return Read("UNLHA32_TEST_FAIL_AFTER", value) ? std::atoi(value) : -1;
}

DWORD SlowMsPerFile() {
    char value[32] = {};
    return Read("UNLHA32_TEST_SLOW_MS", value) ? static_cast<DWORD>(std::strtoul(value, nullptr, 10)) : 0;
}

}  // namespace unlha::test_seam
