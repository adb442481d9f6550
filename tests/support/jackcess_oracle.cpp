// Runs CatalogTool under java and parses its tab-separated cells.
#include "tests/support/jackcess_oracle.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "tests/support/test_paths.h"

namespace testsupport {

namespace {

std::string classPath() {
    const auto jar = testDataDir() / "jet4" / "oracles" / "jackcess" / "jackcess-4.0.10.jar";
    return jar.string() + ":/usr/share/java/commons-lang3.jar:/usr/share/java/commons-logging.jar";
}

std::filesystem::path toolSource() { return sourceDir() / "tests" / "support" / "jackcess" / "CatalogTool.java"; }

// The compiled tool's folder, made once per run; removed when the run ends.
const TempDir& toolDir() {
    static const TempDir dir;
    return dir;
}

std::string tool(const std::string& arguments) {
    return runOracleCommand("java -cp " + shellQuoted(classPath() + ":" + toolDir().path().string()) +
                            " CatalogTool " + arguments);
}

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(by, start);
        out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char e = s[++i];
        out += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
    }
    return out;
}

std::string encode(const OracleValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return "n";
    if (auto b = std::get_if<bool>(&value)) return *b ? "b:true" : "b:false";
    if (auto n = std::get_if<std::int64_t>(&value)) return "i:" + std::to_string(*n);
    return "s:" + escape(std::get<std::string>(value));
}

OracleValue decode(const std::string& cell) {
    if (cell == "n") return std::monostate{};
    if (cell.size() < 2 || cell[1] != ':') throw std::runtime_error("Jackcess tool printed a bad cell: " + cell);
    const std::string v = cell.substr(2);
    switch (cell[0]) {
    case 'b': return v == "true";
    case 'i': return static_cast<std::int64_t>(std::stoll(v));
    default: return unescape(v);
    }
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (auto& line : split(text, '\n'))
        if (!line.empty()) out.push_back(line);
    return out;
}

}  // namespace

std::string jackcessMissing() {
    static const std::string verdict = []() -> std::string {
        for (const char* jar : {"/usr/share/java/commons-lang3.jar", "/usr/share/java/commons-logging.jar"})
            if (!std::filesystem::exists(jar))
                return std::string(jar) + " is missing (scripts/lib/deps.sh installs it)";
        try {
            runOracleCommand("javac -cp " + shellQuoted(classPath()) + " -d " + shellQuoted(toolDir().path().string()) +
                             " " + shellQuoted(toolSource().string()));
        } catch (const std::exception& e) {
            return std::string("the Jackcess tool cannot be compiled or java cannot be run from here: ") + e.what();
        }
        try {
            const std::string probe = (toolDir().path() / "probe.mdb").string();
            jackcessMakeCatalog(probe, JackcessVariant::Plain, {{"Dodatki", {}}});
            if (jackcessRows(probe, "Dodatki").columns.size() != 27) return "Jackcess reads back a wrong table";
        } catch (const std::exception& e) {
            return std::string("Jackcess cannot be run from here: ") + e.what();
        }
        return "";
    }();
    return verdict;
}

void jackcessMakeCatalog(const std::string& file, JackcessVariant variant, const JackcessTables& tables) {
    std::string listing;
    for (const auto& [name, rows] : tables) {
        listing += "table " + name + "\n";
        for (const OracleRow& row : rows) {
            listing += "row";
            for (const OracleValue& v : row) listing += "\t" + encode(v);
            listing += "\n";
        }
    }
    const auto listingFile = toolDir().path() / (std::filesystem::path(file).filename().string() + ".rows");
    writeFile(listingFile, listing);
    const char* name = "plain";
    switch (variant) {
    case JackcessVariant::Plain: break;
    case JackcessVariant::MemoDescription: name = "memo"; break;
    case JackcessVariant::CounterId: name = "counter"; break;
    case JackcessVariant::DecimalId: name = "decimal:18:0"; break;
    case JackcessVariant::NarrowDecimalId: name = "decimal:10:0"; break;
    case JackcessVariant::ScaledDecimalId: name = "decimal:12:2"; break;
    case JackcessVariant::DoubleId: name = "double"; break;
    case JackcessVariant::CurrencyId: name = "currency"; break;
    }
    tool("make " + shellQuoted(file) + " " + name + " " + shellQuoted(listingFile.string()));
}

OracleTable jackcessRows(const std::string& file, const std::string& table) {
    const auto all = lines(tool("rows " + shellQuoted(file) + " " + shellQuoted(table)));
    if (all.empty()) throw std::runtime_error("Jackcess printed nothing for " + table);
    OracleTable out;
    out.columns = split(all[0], '\t');
    for (std::size_t i = 1; i < all.size(); ++i) {
        OracleRow row;
        for (const auto& cell : split(all[i], '\t')) row.push_back(decode(cell));
        out.rows.push_back(row);
    }
    return out;
}

std::vector<OracleValue> jackcessPrimaryKeyWalk(const std::string& file, const std::string& table) {
    std::vector<OracleValue> out;
    for (const auto& line : lines(tool("primary " + shellQuoted(file) + " " + shellQuoted(table))))
        out.push_back(decode(line));
    return out;
}

}  // namespace testsupport
