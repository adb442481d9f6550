// Runs the oracle programs and parses their JSON Lines output.
#include "tests/support/jet_oracles.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "tests/support/test_paths.h"

namespace testsupport {

namespace {

std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// Runs a shell command and returns what it printed; throws when it fails. Output goes
// through a temporary file so that this works wherever std::system does.
std::string run(const std::string& command) {
    // A folder of this process's own: test programs run side by side call the oracles at
    // the same moments, and a shared name let one remove the other's output.
    static const TempDir outputs;
    static int counter = 0;
    const auto out = outputs.path() / ("oracle-" + std::to_string(counter++) + ".out");
    const int status = std::system((command + " > " + shellQuote(out.string()) + " 2>/dev/null").c_str());
    std::string text;
    try {
        text = readFile(out);
    } catch (...) {
    }
    std::error_code ec;
    std::filesystem::remove(out, ec);
    if (status != 0) throw std::runtime_error("failed (" + std::to_string(status) + "): " + command);
    return text;
}

bool runs(const std::string& command) {
    try {
        run(command);
        return true;
    } catch (...) {
        return false;
    }
}

std::filesystem::path oracleDir() {
    if (const char* env = std::getenv("LUMOR_ORACLES"); env && *env) return env;
    return sourceDir() / "build" / "oracles";
}

std::string dumpScript() { return (oracleDir() / "mdbreader-dump.mjs").string(); }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// A small JSON reader for flat arrays and objects of scalars (what the dumps print).
class Json {
public:
    explicit Json(const std::string& text) : s_(text) {}

    OracleValue scalar() {
        space();
        if (at('"')) return string();
        if (word("null")) return std::monostate{};
        if (word("true")) return true;
        if (word("false")) return false;
        std::size_t end = i_;
        while (end < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[end])) || s_[end] == '-'))
            ++end;
        if (end == i_ || (end < s_.size() && (s_[end] == '.' || s_[end] == 'e')))
            throw std::runtime_error("unexpected JSON at " + std::to_string(i_) + ": " + s_.substr(i_, 20));
        const std::int64_t n = std::stoll(s_.substr(i_, end - i_));
        i_ = end;
        return n;
    }
    std::vector<OracleValue> array() {
        expect('[');
        std::vector<OracleValue> out;
        space();
        if (at(']')) return ++i_, out;
        for (;;) {
            out.push_back(scalar());
            space();
            if (at(']')) return ++i_, out;
            expect(',');
        }
    }
    std::map<std::string, OracleValue> object() {
        expect('{');
        std::map<std::string, OracleValue> out;
        space();
        if (at('}')) return ++i_, out;
        for (;;) {
            space();
            std::string key = string();
            expect(':');
            space();
            if (at('{') || at('[')) {
                skipNested();
                out[key] = std::string("<nested>");
            } else {
                out[key] = scalar();
            }
            space();
            if (at('}')) return ++i_, out;
            expect(',');
        }
    }
    std::string string() {
        expect('"');
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            char e = s_[i_++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned code = std::stoul(s_.substr(i_, 4), nullptr, 16);
                i_ += 4;
                if (code >= 0xD800 && code <= 0xDBFF && s_.compare(i_, 2, "\\u") == 0) {
                    const unsigned low = std::stoul(s_.substr(i_ + 2, 4), nullptr, 16);
                    i_ += 6;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, code);
                break;
            }
            default: out += e;
            }
        }
        expect('"');
        return out;
    }

private:
    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    void skipNested() {
        int depth = 0;
        bool inString = false;
        for (; i_ < s_.size(); ++i_) {
            const char c = s_[i_];
            if (inString) {
                if (c == '\\') ++i_;
                else if (c == '"') inString = false;
            } else if (c == '"') {
                inString = true;
            } else if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (--depth == 0) {
                    ++i_;
                    return;
                }
            }
        }
    }
    void space() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    bool at(char c) const { return i_ < s_.size() && s_[i_] == c; }
    bool word(const char* w) {
        const std::string text(w);
        if (s_.compare(i_, text.size(), text) != 0) return false;
        i_ += text.size();
        return true;
    }
    void expect(char c) {
        space();
        if (!at(c)) throw std::runtime_error(std::string("JSON: expected ") + c + " at " + std::to_string(i_));
        ++i_;
    }
    std::string s_;
    std::size_t i_ = 0;
};

std::string mdbReader(const std::string& arguments) {
    return run("node " + shellQuote(dumpScript()) + " " + arguments);
}

}  // namespace

std::string oraclesMissing() {
    // Decided once per run, by having both oracles read an engine-made file: where they are
    // installed but cannot be run from this process (a Windows build under Wine) they count
    // as missing.
    static const std::string verdict = [] {
        if (!runs("node --version")) return std::string("node is not installed or cannot be run from here");
        if (!std::filesystem::exists(oracleDir() / "node_modules" / "mdb-reader"))
            return "mdb-reader is not installed under " + oracleDir().string() +
                   " (scripts/lib/deps.sh lumor_install_npm)";
        const std::string probe = (testDataDir() / "jet4" / "corpus" / "jackcess" / "adox_jet4.mdb").string();
        try {
            if (mdbReaderTables(probe, true).empty()) return std::string("mdb-reader lists no tables");
        } catch (const std::exception& e) {
            return std::string("mdb-reader cannot be run from here: ") + e.what();
        }
        try {
            if (mdbToolsTables(probe, true).empty()) return std::string("mdbtools lists no tables");
        } catch (const std::exception& e) {
            return std::string("mdbtools is not installed or cannot be run from here: ") + e.what();
        }
        return std::string();
    }();
    return verdict;
}

std::vector<std::string> mdbReaderTables(const std::string& file, bool system) {
    std::vector<std::string> out;
    for (const auto& line : lines(mdbReader("tables " + shellQuote(file) + (system ? " --system" : ""))))
        out.push_back(Json(line).string());
    return out;
}

std::vector<OracleRow> mdbReaderRows(const std::string& file, const std::string& table) {
    const auto all = lines(mdbReader("rows " + shellQuote(file) + " " + shellQuote(table)));
    std::vector<OracleRow> out;
    for (std::size_t i = 1; i < all.size(); ++i) out.push_back(Json(all[i]).array());
    return out;
}

OracleTable mdbReaderTable(const std::string& file, const std::string& table) {
    const auto all = lines(mdbReader("rows " + shellQuote(file) + " " + shellQuote(table)));
    if (all.empty()) throw std::runtime_error("mdb-reader printed nothing for " + table);
    OracleTable out;
    const std::size_t from = all[0].find("\"columns\":");
    for (const auto& v : Json(all[0].substr(from + 10)).array()) out.columns.push_back(std::get<std::string>(v));
    for (std::size_t i = 1; i < all.size(); ++i) out.rows.push_back(Json(all[i]).array());
    return out;
}

std::vector<std::string> mdbReaderColumns(const std::string& file, const std::string& table) {
    const auto all = lines(mdbReader("rows " + shellQuote(file) + " " + shellQuote(table)));
    if (all.empty()) throw std::runtime_error("mdb-reader printed nothing for " + table);
    // {"table":"T","columns":[...],"types":[...]}
    const std::string& head = all[0];
    const std::size_t from = head.find("\"columns\":");
    Json json(head.substr(from + 10));
    std::vector<std::string> names;
    for (const auto& v : json.array()) names.push_back(std::get<std::string>(v));
    return names;
}

std::int64_t mdbReaderRowCount(const std::string& file, const std::string& table) {
    const auto all = lines(mdbReader("schema " + shellQuote(file) + " " + shellQuote(table)));
    if (all.empty()) throw std::runtime_error("mdb-reader printed no schema for " + table);
    const auto fields = Json(all[0]).object();
    return std::get<std::int64_t>(fields.at("rowCount"));
}

std::vector<std::string> mdbToolsTables(const std::string& file, bool system) {
    return lines(run(std::string("mdb-tables -1 ") + (system ? "-S " : "") + shellQuote(file)));
}

std::vector<OracleRow> mdbToolsRows(const std::string& file, const std::string& table,
                                    const std::vector<std::string>& columns) {
    std::vector<OracleRow> out;
    for (const auto& line : lines(run("LC_ALL=C.UTF-8 mdb-json " + shellQuote(file) + " " + shellQuote(table)))) {
        const auto fields = Json(line).object();
        OracleRow row;
        for (const auto& name : columns) {
            auto it = fields.find(name);
            row.push_back(it == fields.end() ? OracleValue{} : it->second);
        }
        out.push_back(row);
    }
    return out;
}

std::int64_t mdbToolsCount(const std::string& file, const std::string& table) {
    return std::stoll(run("mdb-count " + shellQuote(file) + " " + shellQuote(table)));
}

std::string mdbToolsSchema(const std::string& file, const std::string& table) {
    return run("mdb-schema --indexes --no-relations -T " + shellQuote(table) + " " + shellQuote(file) + " access");
}

std::string runOracleCommand(const std::string& command) { return run(command); }

std::string shellQuoted(const std::string& text) { return shellQuote(text); }

std::string describe(const OracleValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return "null";
    if (auto b = std::get_if<bool>(&value)) return *b ? "true" : "false";
    if (auto n = std::get_if<std::int64_t>(&value)) return std::to_string(*n);
    return "\"" + std::get<std::string>(value) + "\"";
}

}  // namespace testsupport
