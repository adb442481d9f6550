// `pakiet catalog tables|schema|dump`: what a catalog database holds, for publishers and tests.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/catalog_command.h"
#include "cli/command_usage.h"
#include "cli/schema_listing.h"
#include "jet/database.h"
#include "jet/schema_text.h"
#include "jet/value_text.h"

namespace cli {

namespace {

// Positional arguments and "--name value" / "--flag" options.
struct Parsed {
    std::vector<std::string> positional;
    std::vector<std::string> flags;
    std::optional<std::string> format;
};

std::optional<Parsed> parse(const Args& args, const char* verb) {
    Parsed parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            if (i + 1 >= args.size()) {
                usageError(std::string("catalog ") + verb, "--format wymaga wartości");
                return std::nullopt;
            }
            parsed.format = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            parsed.flags.push_back(args[i]);
        } else {
            parsed.positional.push_back(args[i]);
        }
    }
    return parsed;
}

bool hasFlag(const Parsed& parsed, const char* flag) {
    for (const auto& f : parsed.flags)
        if (f == flag) return true;
    return false;
}

int usage(const char* verb, const std::string& problem) {
    return usageError(std::string("catalog ") + verb, problem);
}

// Buffered standard output.
class Output {
public:
    ~Output() { flush(); }
    std::string& line() { return buffer_; }
    void maybeFlush() {
        if (buffer_.size() >= (1u << 16)) flush();
    }
    void flush() {
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }

private:
    std::string buffer_;
};

}  // namespace

int catalogTables(const Args& args) {
    auto parsed = parse(args, "tables");
    if (!parsed) return 2;
    if (parsed->positional.size() != 1) return usage("tables", parsed->positional.empty() ? "nie podano pliku" : "podaj jeden plik");
    jet::Database database = jet::Database::open(platform::realFileSystem(), parsed->positional[0]);
    bool system = hasFlag(*parsed, "--system"), linked = hasFlag(*parsed, "--linked");
    Output out;
    for (const auto& entry : database.catalog()) {
        bool show = entry.kind == jet::ObjectKind::UserTable ||
                    (system && entry.kind == jet::ObjectKind::SystemTable) ||
                    (linked && (entry.kind == jet::ObjectKind::LinkedTable ||
                                entry.kind == jet::ObjectKind::LinkedOdbc));
        if (show) out.line() += entry.name + '\n';
    }
    return 0;
}

int catalogSchema(const Args& args) {
    auto parsed = parse(args, "schema");
    if (!parsed) return 2;
    if (parsed->positional.empty()) return usage("schema", "nie podano pliku");
    if (parsed->positional.size() > 2) return usage("schema", "nadmiarowy argument `" + parsed->positional[2] + "`");
    std::string format = parsed->format.value_or("text");
    if (format != "text" && format != "jsonl") return usage("schema", "nieznany format `" + format + "` (text albo jsonl)");
    jet::Database database = jet::Database::open(platform::realFileSystem(), parsed->positional[0]);
    std::vector<std::string> names = parsed->positional.size() == 2
                                         ? std::vector<std::string>{parsed->positional[1]}
                                         : database.tableNames();
    Output out;
    for (const auto& name : names) {
        jet::Table table = database.table(name);
        if (format == "jsonl")
            jet::appendSchemaJson(table, out.line());
        else
            appendSchemaListing(table, out.line());
    }
    return 0;
}

int catalogDump(const Args& args) {
    auto parsed = parse(args, "dump");
    if (!parsed) return 2;
    if (parsed->positional.size() < 2) return usage("dump", "podaj plik i tabelę");
    if (parsed->positional.size() > 2) return usage("dump", "nadmiarowy argument `" + parsed->positional[2] + "`");
    std::string format = parsed->format.value_or("csv");
    if (format != "csv" && format != "jsonl") return usage("dump", "nieznany format `" + format + "` (csv albo jsonl)");
    jet::Database database = jet::Database::open(platform::realFileSystem(), parsed->positional[0]);
    jet::Table table = database.table(parsed->positional[1]);
    Output out;
    std::string& s = out.line();
    if (format == "jsonl") {
        // A header line naming the columns and their types, then one array per row.
        s += "{\"table\":";
        jet::appendJsonString(table.name(), s);
        s += ",\"columns\":[";
        for (std::size_t i = 0; i < table.columns().size(); ++i) {
            if (i) s += ',';
            jet::appendJsonString(table.columns()[i].name, s);
        }
        s += "],\"types\":[";
        for (std::size_t i = 0; i < table.columns().size(); ++i) {
            if (i) s += ',';
            jet::appendJsonString(jet::columnTypeName(table.columns()[i].type), s);
        }
        s += "]}\n";
    } else {
        for (std::size_t i = 0; i < table.columns().size(); ++i) {
            if (i) s += ',';
            jet::appendCsvField(table.columns()[i].name, s);
        }
        s += "\r\n";
    }
    jet::RowCursor rows = table.rows();
    const bool jsonl = format == "jsonl";
    while (rows.next()) {
        const auto& values = rows.values();
        if (jsonl) {
            s += '[';
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i) s += ',';
                jet::appendJson(values[i], s);
            }
            s += "]\n";
        } else {
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i) s += ',';
                jet::appendCsvValue(values[i], s);
            }
            s += "\r\n";
        }
        out.maybeFlush();
    }
    return 0;
}

}  // namespace cli
