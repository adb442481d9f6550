// Parsing of connection texts.
#include "catalog/connection_string.h"

#include <vector>

#include "catalog/catalog_error.h"
#include "catalog/decimal_piece.h"
#include "platform/concat.h"
#include "platform/ascii_case.h"

namespace catalog {

namespace {
std::string trim(const std::string& text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

bool knownKey(const std::string& key) {
    static const char* keys[] = {"provider", "data source", "mode", "persist security info",
                                 "jet oledb:engine type", "user id", "password",
                                 "jet oledb:database password", "jet oledb:system database"};
    for (const char* k : keys)
        if (key == k) return true;
    return false;
}
}  // namespace

ConnectionSettings parseConnectionString(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        const std::string segment = text.substr(start, end - start);
        const auto eq = segment.find('=');
        const std::string key = eq == std::string::npos ? "" : platform::asciiLowered(trim(segment.substr(0, eq)));
        if (!pairs.empty() && pairs.back().first == "data source" && !knownKey(key)) {
            // A ';' in the path itself.
            if (end < text.size() || !segment.empty()) pairs.back().second += ";" + segment;
        } else if (eq != std::string::npos) {
            pairs.emplace_back(key, segment.substr(eq + 1));
        }
        start = end + 1;
    }
    // A trailing ';' after the path is the separator, not part of the path.
    ConnectionSettings settings;
    std::optional<std::string> provider;
    bool haveSource = false;
    for (auto& [key, value] : pairs) {
        if (key == "provider") provider = trim(value);
        if (key == "data source") {
            settings.path = value;
            while (!settings.path.empty() && settings.path.back() == ';') settings.path.pop_back();
            haveSource = true;
        }
        if (key == "mode") settings.mode = trim(value);
        if (key == "jet oledb:engine type") {
            try {
                settings.engineType = std::stoi(trim(value));
            } catch (...) {
                failCatalog({"Nieprawidłowy typ silnika bazy danych w tekście połączenia: \"", value, "\"."});
            }
        }
    }
    if (!provider) failCatalog({"Brak dostawcy (Provider) w tekście połączenia z bazą danych."});
    if (platform::asciiLowered(*provider) != platform::asciiLowered(kJetProvider))
        failCatalog({"Nieobsługiwany dostawca bazy danych: \"", *provider, "\" (obsługiwany jest tylko ", kJetProvider,
                     ")."});
    if (!haveSource || settings.path.empty())
        failCatalog({"Brak ścieżki pliku bazy danych (Data Source) w tekście połączenia."});
    if (settings.engineType && *settings.engineType != 5)
        failCatalog({"Nieobsługiwany typ silnika bazy danych: ", DecimalPiece(*settings.engineType),
                     " (obsługiwany jest tylko typ 5, format Jet 4)."});
    return settings;
}

std::string openConnectionString(const std::string& path) {
    return platform::concat({"Provider=", kJetProvider, ";Data Source=", path,
                             ";Mode=ReadWrite|Share Deny None;Persist Security Info=False;"});
}

std::string creationConnectionString(const std::string& path) {
    return platform::concat({"Provider=", kJetProvider, ";Jet OLEDB:Engine Type=5;Data Source=", path});
}

}  // namespace catalog
