// Parsing of connection texts.
#include "catalog/connection_string.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "catalog/catalog_error.h"
#include "platform/ascii_case.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace catalog {

namespace {
std::string_view trimmed(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

enum Key { kProvider, kDataSource, kMode, kEngineType, kOtherKnownKey, kUnknownKey };

Key keyOf(std::string_view name) {
    // The first four in the order of Key; the others are known and skipped.
    static const char* const names[] = {"provider", "data source", "mode", "jet oledb:engine type",
                                        "persist security info", "user id", "password",
                                        "jet oledb:database password", "jet oledb:system database"};
    for (int k = 0; k < static_cast<int>(std::size(names)); ++k)
        if (platform::equalsIgnoringAsciiCase(name, names[k])) return static_cast<Key>(std::min(k, int{kOtherKnownKey}));
    return kUnknownKey;
}

// The number at the start of `text` as std::stoi reads it (leading white space, a sign, the
// digits; whatever follows ignored), without the exceptions stoi throws for the caller to map,
// and by hand: strtol and errno would be two more imports of the installer.
std::optional<int> leadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t first = i;
    long long n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > -static_cast<long long>(INT_MIN)) return std::nullopt;  // past any int
    }
    if (i == first) return std::nullopt;
    if (negative) n = -n;
    if (n > INT_MAX) return std::nullopt;
    return static_cast<int>(n);
}
}  // namespace

ConnectionSettings parseConnectionString(const std::string& whole) {
    const std::string_view text = whole;
    ConnectionSettings settings;
    std::optional<std::string_view> provider;
    bool haveSource = false;
    // Right after the Data Source, a segment that starts no known key is a ';' in the path itself.
    bool inSource = false;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string_view segment = text.substr(start, end - start);
        const auto eq = segment.find('=');
        const Key key = eq == std::string_view::npos ? kUnknownKey : keyOf(trimmed(segment.substr(0, eq)));
        if (inSource && key == kUnknownKey) {
            if (end < text.size() || !segment.empty()) {
                settings.path += ';';
                settings.path += segment;
            }
        } else if (eq != std::string_view::npos) {
            // Each key read again replaces what it said before.
            const std::string_view value = segment.substr(eq + 1);
            inSource = key == kDataSource;
            if (key == kProvider) provider = trimmed(value);
            if (key == kDataSource) {
                settings.path = value;
                haveSource = true;
            }
            if (key == kMode) settings.mode = trimmed(value);
            if (key == kEngineType) {
                settings.engineType = leadingInt(trimmed(value));
                if (!settings.engineType)
                    failCatalog({"Nieprawidłowy typ silnika bazy danych w tekście połączenia: \"", value, "\"."});
            }
        }
        start = end + 1;
    }
    // A trailing ';' after the path is the separator, not part of the path.
    while (!settings.path.empty() && settings.path.back() == ';') settings.path.pop_back();
    if (!provider) failCatalog({"Brak dostawcy (Provider) w tekście połączenia z bazą danych."});
    if (!platform::equalsIgnoringAsciiCase(*provider, kJetProvider))
        failCatalog({"Nieobsługiwany dostawca bazy danych: \"", *provider, "\" (obsługiwany jest tylko ", kJetProvider,
                     ")."});
    if (!haveSource || settings.path.empty())
        failCatalog({"Brak ścieżki pliku bazy danych (Data Source) w tekście połączenia."});
    if (settings.engineType && *settings.engineType != 5)
        failCatalog({"Nieobsługiwany typ silnika bazy danych: ", platform::DecimalPiece(*settings.engineType),
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
