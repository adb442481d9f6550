// What failed and on which path, then why.
#include "engine_text/file_error_text.h"

#include "platform/concat.h"

namespace engine_text {

std::string fileFailureText(platform::FileFailure failure, const std::string& systemText) {
    switch (failure) {
        case platform::FileFailure::NotFound: return "Nie ma takiego pliku ani folderu.";
        case platform::FileFailure::AccessDenied: return "Odmowa dostępu.";
        case platform::FileFailure::InUse: return "Plik jest używany przez inny program.";
        case platform::FileFailure::DiskFull: return "Brak miejsca na dysku.";
        case platform::FileFailure::Exists: return "Plik już istnieje.";
        case platform::FileFailure::Other: break;
    }
    return systemText.empty() ? "Nieznany błąd systemu." : systemText;
}

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
    return platform::concat({action, ": ", error.path(), " (", fileFailureText(error.failure(), error.reason()), ")"});
}

}  // namespace engine_text
