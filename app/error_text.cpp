// Typed errors first; any other std::exception is a subsystem's own Polish sentence.
#include "app/error_text.h"

#include <new>

#include "archive/archive_messages.h"
#include "catalog/jet_error_text.h"
#include "jet/jet_error.h"

namespace app {

std::string errorText(const std::exception& error) {
    if (const auto* jet = dynamic_cast<const jet::JetError*>(&error)) return catalog::jetErrorText(*jet);
    if (const auto* zip = dynamic_cast<const zip::ZipError*>(&error)) return archive::messageFor(*zip);
    if (const auto* file = dynamic_cast<const platform::FileError*>(&error)) return archive::messageFor(*file);
    if (dynamic_cast<const std::bad_alloc*>(&error)) return "Zabrakło pamięci.";
    return error.what();
}

std::string errorText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return errorText(e);
    } catch (...) {
        return "Wystąpił nieoczekiwany błąd programu.";
    }
}

}  // namespace app
