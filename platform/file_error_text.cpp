// Messages of FileError. They may reach a user in the error report, hence Polish.
#include "platform/file_error_text.h"

namespace platform {

namespace {
const char* actionText(FileAction action) {
    switch (action) {
        case FileAction::Open: return "Nie można otworzyć pliku";
        case FileAction::Create: return "Nie można utworzyć pliku";
        case FileAction::Read: return "Błąd odczytu pliku";
        case FileAction::Write: return "Błąd zapisu pliku";
        case FileAction::Size: return "Nie można ustalić rozmiaru pliku";
    }
    return "Błąd pliku";
}
}  // namespace

FileError fileError(FileAction action, const std::string& path, const std::string& reason) {
    return FileError(path, std::string(actionText(action)) + ": " + path + " (" + reason + ")");
}

}  // namespace platform
