// Fault injection and slowing for the library's own tests. Only the test build of the library
// (target unlha32_test, defined UNLHA32_TEST_SEAM) reads them from the environment; in the
// released library both are constants that switch them off.
#pragma once

#include <windows.h>

namespace unlha::test_seam {

#ifdef UNLHA32_TEST_SEAM
// UNLHA32_TEST_FAIL_AFTER, "n" or "n:error": an update fails after writing n members, as writing
// with that system error (none: 0) would; -1 when unset.
int FailAfterMembers(unsigned long& error);
// UNLHA32_TEST_SLOW_MS: every file of a run pauses this long; 0 when unset.
DWORD SlowMsPerFile();
#else
inline int FailAfterMembers(unsigned long& error) {
    error = 0;
    return -1;
}
inline DWORD SlowMsPerFile() { return 0; }
#endif

}  // namespace unlha::test_seam
