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

// The error's type is told by catching it again: the Windows programs are built without
// run-time type information, which a dynamic_cast would need.
std::string errorText() {
    try {
        throw;
    } catch (const jet::JetError& e) {
        return catalog::jetErrorText(e);
    } catch (const zip::ZipError& e) {
        return archive::messageFor(e);
    } catch (const platform::FileError& e) {
        return engine_text::fileErrorText(e);
    } catch (const platform::SystemError& e) {
        return engine_text::systemErrorText(e);
    } catch (const toolkit::ToolkitError& e) {
        return engine_text::toolkitErrorText(e);
    } catch (const std::bad_alloc&) {
        return "Zabrakło pamięci.";
    } catch (const std::exception& e) {
        if (*e.what() != '\0') return e.what();
    } catch (...) {
    }
    return kUnexpected;
}

}  // namespace app
