// The error every catalog operation throws when it fails: a connection text it cannot use,
// a file it cannot open, a missing table or column, a refused value. The message is what the
// merge logs, a Polish sentence naming the file, table or column concerned.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace catalog {

class CatalogError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws a CatalogError whose message is the pieces joined. Out of line: a `+` chain at each
// of the many throw sites would build a temporary per piece, each with its clean-up code.
[[noreturn]] void failCatalog(std::initializer_list<std::string_view> pieces);

}  // namespace catalog
