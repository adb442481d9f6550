// The error every catalog operation throws when it fails: a connection text it cannot use,
// a file it cannot open, a missing table or column, a refused value. The message is what the
// merge logs, a Polish sentence naming the file, table or column concerned.
#pragma once

#include <stdexcept>
#include <string>

namespace catalog {

class CatalogError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace catalog
