// Whether standard error is a terminal someone watches (a POSIX tty, a Windows console)
// rather than a file or a pipe: pakiet draws its progress line only there.
#pragma once

namespace platform {

bool standardErrorIsTerminal();

}  // namespace platform
