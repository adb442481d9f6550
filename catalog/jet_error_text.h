// The Polish sentence for an error of the database engine, as a user or publisher reads it:
// what failed, naming the file and the table, column or page concerned, and the system's
// own reason where the system refused.
#pragma once

#include <string>
#include <string_view>

#include "jet/jet_error.h"

namespace catalog {

// `shownFile`, when given, is named instead of the error's file: the user's file when the
// engine worked on a copy of it.
std::string jetErrorText(const jet::JetError& error, std::string_view shownFile = {});

// Throws the error's sentence as a CatalogError: what every catalog operation does with an
// engine error, in one place rather than at each catch.
[[noreturn]] void failWithJetErrorText(const jet::JetError& error);

}  // namespace catalog
