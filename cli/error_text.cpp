// Typed errors first; what is left is already a subsystem's Polish sentence.
#include "cli/error_text.h"

#include "archive/archive_messages.h"
#include "catalog/jet_error_text.h"
#include "jet/jet_error.h"

namespace cli {

std::string errorText(const std::exception& error) {
    if (const auto* jet = dynamic_cast<const jet::JetError*>(&error)) return catalog::jetErrorText(*jet);
    if (const auto* zip = dynamic_cast<const zip::ZipError*>(&error)) return archive::messageFor(*zip);
    if (const auto* file = dynamic_cast<const platform::FileError*>(&error)) return archive::messageFor(*file);
    return error.what();
}

}  // namespace cli
