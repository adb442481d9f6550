// The Polish sentence for a file error of the platform, shared by the installer's subsystems
// and pakiet: what failed, on which path, and the system's own reason
// ("Nie można otworzyć pliku: D:\a.mdb (Odmowa dostępu.)"). A sentence a subsystem put
// into the error itself is kept as it is.
#pragma once

#include <string>

#include "platform/file_error.h"

namespace app {

inline std::string fileErrorText(const platform::FileError& error) {
    const char* action = nullptr;
    switch (error.action()) {
        case platform::FileAction::Open: action = "Nie można otworzyć pliku"; break;
        case platform::FileAction::Create: action = "Nie można utworzyć pliku"; break;
        case platform::FileAction::Read: action = "Błąd odczytu pliku"; break;
        case platform::FileAction::Write: action = "Błąd zapisu pliku"; break;
        case platform::FileAction::Size: action = "Nie można ustalić rozmiaru pliku"; break;
        case platform::FileAction::Other: return error.what();
    }
    return std::string(action) + ": " + error.path() + " (" + error.reason() + ")";
}

}  // namespace app
