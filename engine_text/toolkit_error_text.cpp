// One sentence per fault. A decoder's own detail (libjpeg's English) stays out of it.
#include "engine_text/toolkit_error_text.h"

namespace engine_text {

std::string toolkitErrorText(const toolkit::ToolkitError& error) {
    const std::string& name = error.name();
    switch (error.fault()) {
        case toolkit::ToolkitFault::PictureFileUnreadable: return "Nie można odczytać pliku obrazu " + name;
        case toolkit::ToolkitFault::NotAJpeg: return "Plik " + name + " nie jest poprawnym obrazem JPEG";
        case toolkit::ToolkitFault::NoPictureDecoder:
            return "Brak komponentu obrazów systemu" + (error.detail().empty() ? "" : " (" + error.detail() + ")");
        case toolkit::ToolkitFault::NoBuiltInPicture: return "Brak obrazu " + name + " w zasobach programu";
        case toolkit::ToolkitFault::PictureUndecodable: return "Nie można odczytać obrazu " + name;
        case toolkit::ToolkitFault::PictureUnconvertible: return "Nie można przekształcić obrazu " + name;
        case toolkit::ToolkitFault::PictureUnscalable: return "Nie można przeskalować obrazu do " + name;
        case toolkit::ToolkitFault::BadPictureSize: return "Nieprawidłowy rozmiar obrazu: " + name;
        case toolkit::ToolkitFault::NoMemoryForPicture: return "Brak pamięci na obraz " + name;
        case toolkit::ToolkitFault::WindowNotCreated: return "Nie można utworzyć okna " + name;
        case toolkit::ToolkitFault::FolderChooserUnavailable: return "Nie można otworzyć okna wyboru folderu";
    }
    return error.what();
}

}  // namespace engine_text
