// The window's and pakiet's error sentence: each engine error reaches the wording of the layer
// that knows it, told apart by catching it again (no run-time types in the Windows programs).
#include "app/error_text.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "archive/archive_messages.h"
#include "catalog/jet_error_text.h"
#include "engine_text/file_error_text.h"
#include "engine_text/system_error_text.h"
#include "engine_text/toolkit_error_text.h"
#include "jet/jet_error.h"

namespace {

template <typename Thrown>
std::string textOf(const Thrown& error) {
    try {
        throw error;
    } catch (...) {
        return app::errorText();
    }
}

TEST(ErrorText, EachEngineErrorIsWordedByTheLayerThatKnowsIt) {
    const jet::JetError jet(jet::JetFault::NotJet4, "dodatki.mdb", "a Jet 3 database");
    EXPECT_EQ(textOf(jet), catalog::jetErrorText(jet));
    const zip::ZipError zip(zip::Fault::Truncated, "okladka.jpg", "");
    EXPECT_EQ(textOf(zip), archive::messageFor(zip));
    const platform::FileError file(platform::FileAction::Open, "C:\\a.txt", platform::FileFailure::AccessDenied, "x");
    EXPECT_EQ(textOf(file), engine_text::fileErrorText(file));
    const platform::SystemError system(platform::SystemQuery::ProcessSnapshot, "y");
    EXPECT_EQ(textOf(system), engine_text::systemErrorText(system));
    const toolkit::ToolkitError toolkit(toolkit::ToolkitFault::NotAJpeg, "BG.jpg");
    EXPECT_EQ(textOf(toolkit), engine_text::toolkitErrorText(toolkit));
    // The layers' texts differ from one another and from what(), so a wrong branch shows.
    EXPECT_NE(textOf(jet), jet.what());
    EXPECT_NE(textOf(zip), zip.what());
}

TEST(ErrorText, OtherErrorsKeepTheirOwnSentenceOrGetThePlainOne) {
    EXPECT_EQ(textOf(std::bad_alloc()), "Zabrakło pamięci.");
    EXPECT_EQ(textOf(std::runtime_error("Nie znaleziono pakietu.")), "Nie znaleziono pakietu.");
    EXPECT_EQ(textOf(std::runtime_error("")), "Wystąpił nieoczekiwany błąd programu.");
    EXPECT_EQ(textOf(42), "Wystąpił nieoczekiwany błąd programu.");
}

}  // namespace
