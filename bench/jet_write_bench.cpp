// Creating a catalog and appending Dodatki rows with all 27 columns filled, against SQLite
// inserting the same rows into a table with an integer primary key in one transaction, in the
// same run. Prints times (median of runs), file sizes and the ratio, and the peak resident
// memory after each size so that growth with the row count shows.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
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
    std::filesystem::remove(jetFile);
    std::filesystem::remove(sqliteFile);
    return 0;
}
