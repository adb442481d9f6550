// A minimal valid PE32+ image (one section holding `ret`) for tests of signed installers:
// small enough to build in code, complete enough for a signing tool to sign.
#pragma once

#include <string>

namespace archivetest {

std::string minimalPeImage();

}  // namespace archivetest
