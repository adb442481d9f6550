// Creating a catalog and appending Dodatki rows with all 27 columns filled, against SQLite
// inserting the same rows into a table with an integer primary key in one transaction, in the
// same run. Prints times (median of runs), file sizes and the ratio, and the peak resident
// memory after each size so that growth with the row count shows. Then the same as
// processes: `pakiet catalog create` + `import` of a 100,000-row CSV against `sqlite3`'s
// `.import` of that CSV into a table with an integer primary key, and pakiet's peak memory.
// Usage: jet_write_bench [FOLDER]; `--jet-only ROWS [FOLDER]` runs our writer once, for a profiler.
#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/catalog_schema.h"
#include "jet/write/database_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<jet::Value> dodatkiRow(std::int32_t id) {
    std::vector<jet::Value> row;
    for (const auto& c : catalog::dodatkiColumns()) {
        if (c.adoType == 3) {
            row.push_back(jet::Value(id));
        } else if (c.adoType == 11) {
            row.push_back(jet::Value(id % 2 == 0));
        } else {
            std::string text = std::string(c.name) + " " + std::to_string(id) + " łóż";
            text.resize(std::min<std::size_t>(text.size(), static_cast<std::size_t>(c.definedSize)));
            while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
            if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0) text.pop_back();
            row.push_back(jet::Value::text(text));
        }
    }
    return row;
}

long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

double jetRun(const std::string& path, int rows) {
    std::filesystem::remove(path);
    const auto start = Clock::now();
    auto db = jet::write::DatabaseWriter::create(platform::realFileSystem(), path);
    std::vector<jet::write::ColumnShape> columns;
    for (const auto& c : catalog::dodatkiColumns())
        columns.push_back({c.name, c.adoType == 3 ? jet::ColumnType::Int32 : c.adoType == 11 ? jet::ColumnType::Bool
                                                                                              : jet::ColumnType::Text,
                           static_cast<std::uint16_t>(c.definedSize)});
    db->createTable({"Dodatki", columns, jet::write::PrimaryKeyShape{"Primary", "ID"}});
    for (int i = 1; i <= rows; ++i) db->appendRow("Dodatki", dodatkiRow(i));
    db->close();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double sqliteRun(const std::string& path, int rows) {
    std::filesystem::remove(path);
    const auto start = Clock::now();
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    std::string create = "CREATE TABLE Dodatki (";
    std::string insert = "INSERT INTO Dodatki VALUES (";
    for (std::size_t i = 0; i < catalog::dodatkiColumns().size(); ++i) {
        const auto& c = catalog::dodatkiColumns()[i];
        create += std::string(i ? ", " : "") + "\"" + c.name + "\" " +
                  (c.adoType == 3 ? "INTEGER PRIMARY KEY" : c.adoType == 11 ? "INTEGER" : "TEXT");
        insert += i ? ", ?" : "?";
    }
    sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 1; i <= rows; ++i) {
        const auto row = dodatkiRow(i);
        for (std::size_t k = 0; k < row.size(); ++k) {
            const int slot = static_cast<int>(k) + 1;
            if (row[k].kind() == jet::Value::Kind::Int32) sqlite3_bind_int(statement, slot, row[k].asInt32());
            else if (row[k].kind() == jet::Value::Kind::Bool) sqlite3_bind_int(statement, slot, row[k].asBool());
            else sqlite3_bind_text(statement, slot, row[k].asString().c_str(), -1, SQLITE_TRANSIENT);
        }
        sqlite3_step(statement);
        sqlite3_reset(statement);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string csvField(const jet::Value& v) {
    if (v.kind() == jet::Value::Kind::Int32) return std::to_string(v.asInt32());
    if (v.kind() == jet::Value::Kind::Bool) return v.asBool() ? "true" : "false";
    std::string quoted = "\"";
    for (char c : v.asString()) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void writeCsv(const std::string& path, int rows) {
    std::ofstream out(path, std::ios::binary);
    const auto& columns = catalog::dodatkiColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) out << (i ? "," : "") << columns[i].name;
    out << "\n";
    for (int id = 1; id <= rows; ++id) {
        const auto row = dodatkiRow(id);
        for (std::size_t k = 0; k < row.size(); ++k) out << (k ? "," : "") << csvField(row[k]);
        out << "\n";
    }
}

double timed(const std::string& command) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double pakietRun(const std::string& file, const std::string& csv) {
    std::filesystem::remove(file);
    const std::string pakiet = PAKIET_PATH;
    return timed(pakiet + " catalog create '" + file + "' >/dev/null && " + pakiet + " catalog import '" + file +
                 "' Dodatki --csv '" + csv + "' >/dev/null");
}

double sqlite3Run(const std::string& file, const std::string& csv) {
    std::filesystem::remove(file);
    std::string create = "CREATE TABLE Dodatki (";
    for (std::size_t i = 0; i < catalog::dodatkiColumns().size(); ++i) {
        const auto& c = catalog::dodatkiColumns()[i];
        create += std::string(i ? ", " : "") + "\"" + c.name + "\" " +
                  (c.adoType == 3 ? "INTEGER PRIMARY KEY" : c.adoType == 11 ? "INTEGER" : "TEXT");
    }
    return timed("sqlite3 '" + file + "' '" + create + ");' '.import --csv --skip 1 " + csv + " Dodatki'");
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    // `--jet-only ROWS [FOLDER]`: one run of our writer alone, for a profiler.
    if (argc > 2 && std::string(argv[1]) == "--jet-only") {
        const std::string folder = argc > 3 ? argv[3] : std::filesystem::temp_directory_path().string();
        std::printf("%.3f s\n", jetRun(folder + "/bench_dodatki.mdb", std::atoi(argv[2])));
        std::filesystem::remove(folder + "/bench_dodatki.mdb");
        return 0;
    }
    const std::string folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
    const std::string jetFile = folder + "/bench_dodatki.mdb";
    const std::string sqliteFile = folder + "/bench_dodatki.sqlite";
    std::printf("%8s  %10s %12s  %10s %12s  %7s  %10s\n", "rows", "jet s", "jet bytes", "sqlite s",
                "sqlite bytes", "jet/sq", "peak RSS kB");
    for (int rows : {10000, 100000}) {
        std::vector<double> jet, sq;
        for (int run = 0; run < 3; ++run) {
            jet.push_back(jetRun(jetFile, rows));
            sq.push_back(sqliteRun(sqliteFile, rows));
        }
        const double j = median(jet), s = median(sq);
        std::printf("%8d  %10.3f %12ju  %10.3f %12ju  %7.2f  %10ld\n", rows, j,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(jetFile)), s,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(sqliteFile)), j / s, peakResidentKb());
    }

    const std::string csv = folder + "/bench_dodatki.csv";
    writeCsv(csv, 100000);
    // A first run of pakiet alone: the children's peak memory is then pakiet's (and its shell's).
    pakietRun(jetFile, csv);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    std::vector<double> ours, peer;
    for (int run = 0; run < 3; ++run) {
        ours.push_back(pakietRun(jetFile, csv));
        peer.push_back(sqlite3Run(sqliteFile, csv));
    }
    const double o = median(ours), p = median(peer);
    std::printf("\nprocesses, 100000 rows from CSV: pakiet create + import %.3f s, sqlite3 .import %.3f s, "
                "ratio %.2f\n", o, p, o / p);
    std::printf("pakiet import peak RSS %ld kB (the CSV is %ju bytes)\n", children.ru_maxrss,
                static_cast<std::uintmax_t>(std::filesystem::file_size(csv)));
    std::filesystem::remove(csv);
    std::filesystem::remove(jetFile);
    std::filesystem::remove(sqliteFile);
    return 0;
}
