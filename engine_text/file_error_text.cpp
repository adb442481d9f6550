// What failed and on which path, then the reason.
#include "engine_text/file_error_text.h"

namespace engine_text {

std::string fileErrorText(const platform::FileError& error) {
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

}  // namespace engine_text
