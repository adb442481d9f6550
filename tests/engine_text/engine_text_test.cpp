// The engines' typed errors in the installer's Polish: one sentence per kind, the name
// concerned in it, and the system's own text only where no kind of ours fits.
#include <gtest/gtest.h>

#include "engine_text/file_error_text.h"
#include "engine_text/system_error_text.h"
#include "engine_text/toolkit_error_text.h"

namespace {

using platform::FileAction;
using platform::FileError;
using platform::FileFailure;

TEST(FileErrorText, EachKindIsWordedInPolishWhateverTheSystemsLanguage) {
    const struct {
        FileFailure failure;
        const char* said;
    } cases[] = {
        {FileFailure::NotFound, "Nie ma takiego pliku ani folderu."},
        {FileFailure::AccessDenied, "Odmowa dostępu."},
        {FileFailure::InUse, "Plik jest używany przez inny program."},
        {FileFailure::DiskFull, "Brak miejsca na dysku."},
        {FileFailure::Exists, "Plik już istnieje."},
    };
    for (const auto& c : cases) {
        const FileError error(FileAction::Open, "D:\\a.mdb", c.failure, "No such file or directory");
        EXPECT_EQ(engine_text::fileErrorText(error), std::string("Nie można otworzyć pliku: D:\\a.mdb (") + c.said + ")");
    }
}

TEST(FileErrorText, OtherKeepsTheSystemsOwnTextAndNamesTheAction) {
    EXPECT_EQ(engine_text::fileErrorText(FileError(FileAction::Read, "/k/a.mdb", FileFailure::Other, "Input/output error")),
              "Błąd odczytu pliku: /k/a.mdb (Input/output error)");
    EXPECT_EQ(engine_text::fileErrorText(FileError(FileAction::Size, "/k/a.mdb", FileFailure::Other, "")),
              "Nie można ustalić rozmiaru pliku: /k/a.mdb (Nieznany błąd systemu.)");
    EXPECT_EQ(engine_text::fileErrorText(FileError(FileAction::Create, "/k/a.mdb", FileFailure::DiskFull, "x")),
              "Nie można utworzyć pliku: /k/a.mdb (Brak miejsca na dysku.)");
}

TEST(SystemErrorText, EachQueryKeepsItsSentenceWithTheSystemsReason) {
    using platform::SystemError;
    using platform::SystemQuery;
    EXPECT_EQ(engine_text::systemErrorText(SystemError(SystemQuery::ProcessSnapshot, "Odmowa dostępu.")),
              "Nie można pobrać listy procesów (Odmowa dostępu.)");
    EXPECT_EQ(engine_text::systemErrorText(SystemError(SystemQuery::ProcessList, "Permission denied", "/proc")),
              "Nie można odczytać listy procesów z /proc (Permission denied)");
    EXPECT_EQ(engine_text::systemErrorText(SystemError(SystemQuery::ProcessList, "Błąd.")),
              "Nie można odczytać listy procesów (Błąd.)");
    EXPECT_EQ(engine_text::systemErrorText(SystemError(SystemQuery::ExecutablePath, "r")),
              "Nie można ustalić ścieżki programu (r)");
    EXPECT_EQ(engine_text::systemErrorText(SystemError(SystemQuery::CurrentDirectory, "r")),
              "Nie można ustalić bieżącego katalogu (r)");
}

TEST(ToolkitErrorText, PicturesAndWindowsAreNamedAndTheDecodersEnglishLeftOut) {
    using toolkit::ToolkitError;
    using toolkit::ToolkitFault;
    const struct {
        ToolkitError error;
        const char* said;
    } cases[] = {
        {ToolkitError(ToolkitFault::NoBuiltInPicture, "BG"), "Brak obrazu BG w zasobach programu"},
        {ToolkitError(ToolkitFault::NotAJpeg, "C:\\okładka.jpg", "Not a JPEG file: starts with 0x47 0x49"),
         "Plik C:\\okładka.jpg nie jest poprawnym obrazem JPEG"},
        {ToolkitError(ToolkitFault::PictureFileUnreadable, "/k/x.jpg"), "Nie można odczytać pliku obrazu /k/x.jpg"},
        {ToolkitError(ToolkitFault::NoPictureDecoder, "", "WIC"), "Brak komponentu obrazów systemu (WIC)"},
        {ToolkitError(ToolkitFault::PictureUnscalable, ToolkitError::sizeName(1040, 585)),
         "Nie można przeskalować obrazu do 1040x585"},
        {ToolkitError(ToolkitFault::BadPictureSize, ToolkitError::sizeName(0, 5)), "Nieprawidłowy rozmiar obrazu: 0x5"},
        {ToolkitError(ToolkitFault::NoMemoryForPicture, "9x9"), "Brak pamięci na obraz 9x9"},
        {ToolkitError(ToolkitFault::WindowNotCreated, "Form1"), "Nie można utworzyć okna Form1"},
        {ToolkitError(ToolkitFault::FolderChooserUnavailable, ""), "Nie można otworzyć okna wyboru folderu"},
    };
    for (const auto& c : cases) EXPECT_EQ(engine_text::toolkitErrorText(c.error), c.said) << c.error.what();
}

}  // namespace
