// The installer's exit codes, the same in the window, in silent mode and in `pakiet install`
// (which never shows a window, so never ends with kExitWindowClosed).
#pragma once

namespace app {

class TForm1;

inline constexpr int kExitInstalled = 0;          // finish state reached
inline constexpr int kExitInstallNotEnabled = 1;  // installing was not possible, or refused before any change
inline constexpr int kExitUsage = 2;              // a command line not understood
inline constexpr int kExitInstallFailed = 3;      // failed after changes began; all undone
inline constexpr int kExitCatalogLeftAside = 4;   // failed; not all was put back (the log names what)
inline constexpr int kExitWindowClosed = 5;       // the user closed the window, Install usable, unused

// The code a finished run of `form` ends with: from the transaction's outcome, or, when
// Install was never clicked, whether it was usable when the run ended.
int exitCodeOf(const TForm1& form);

}  // namespace app
