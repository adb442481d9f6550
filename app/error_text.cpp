// Typed errors first; any other std::exception is a subsystem's own Polish sentence.
#include "app/error_text.h"

#include <new>

#include "archive/archive_messages.h"
#include "catalog/jet_error_text.h"
#include "engine_text/file_error_text.h"
#include "engine_text/system_error_text.h"
#include "engine_text/toolkit_error_text.h"
#include "jet/jet_error.h"

namespace app {

namespace {

const char* const kUnexpected = "Wystąpił nieoczekiwany błąd programu.";

}  // namespace

std::string errorText(const std::exception& error) {
    if (const auto* jet = dynamic_cast<const jet::JetError*>(&error)) return catalog::jetErrorText(*jet);
    if (const auto* zip = dynamic_cast<const zip::ZipError*>(&error)) return archive::messageFor(*zip);
    if (const auto* file = dynamic_cast<const platform::FileError*>(&error)) return engine_text::fileErrorText(*file);
    if (const auto* system = dynamic_cast<const platform::SystemError*>(&error))
        return engine_text::systemErrorText(*system);
    if (const auto* toolkit = dynamic_cast<const toolkit::ToolkitError*>(&error))
        return engine_text::toolkitErrorText(*toolkit);
    if (dynamic_cast<const std::bad_alloc*>(&error)) return "Zabrakło pamięci.";
    if (*error.what() == '\0') return kUnexpected;
    return error.what();
}

std::string errorText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return errorText(e);
    } catch (...) {
        return kUnexpected;
    }
}

}  // namespace app
