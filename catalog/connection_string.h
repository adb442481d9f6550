// The connection texts the catalog code passes, read as the provider reads them:
//   open:     "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=PATH;Mode=ReadWrite|Share Deny None;
//              Persist Security Info=False;"
//   creation: "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Engine Type=5;Data Source=PATH"
// Keys compare without ASCII case; the path is taken verbatim. A ';' inside the path that is
// not followed by another key stays part of the path.
#pragma once

#include <optional>
#include <string>

namespace catalog {

constexpr const char* kJetProvider = "Microsoft.Jet.OLEDB.4.0";

struct ConnectionSettings {
    std::string path;                // Data Source
    std::string mode;                // Mode, as written ("" when absent)
    std::optional<int> engineType;   // Jet OLEDB:Engine Type
};

// Throws CatalogError when the provider is missing or another, when there is no Data Source,
// or when the engine type is not 5 (the Jet 4 format).
ConnectionSettings parseConnectionString(const std::string& text);

// The two texts, built as the installer builds them.
std::string openConnectionString(const std::string& path);
std::string creationConnectionString(const std::string& path);

}  // namespace catalog
