// Jet files a test wrote and our reader checked, kept for the outside readers where they
// cannot run from the test itself: under Wine, CTest names a folder in LUMOR_KEPT_JET and a
// Linux step reads every file there afterwards (tests/windows_written_catalogs.sh).
#pragma once

#include <string>

namespace testsupport {

// Copies the file into $LUMOR_KEPT_JET as "<Suite.Check>-<n>.mdb"; nothing when it is unset.
void keepForOutsideReaders(const std::string& file);

}  // namespace testsupport
