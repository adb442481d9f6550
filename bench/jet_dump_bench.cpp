// Dumping whole tables: our reader (in process, and as `pakiet catalog dump`) against
// mdbtools' `mdb-export` on the same files in the same run. Prints the median of several
// runs, rows per second, the ratios, and the peak memory of each process, so that a scan
// taking the same memory for 512 and 100 000 rows shows.
//
// Tables: the corpus' 512-row narrow table (start-up dominates); the same table with its data
// pages repeated until it holds about 100 000 rows, its usage map rewritten as a reference map
// over one bitmap page (indexes are left stale; a scan does not use them); and a 100 000-row
// Dodatki table made here by our writer with every text column holding Polish text.
//
// Run: cmake --build --preset linux --target run_jet_dump_bench (RUNS=n, or the first
// argument, for another number of runs; --keep as the second keeps the files made;
// PAKIET=path times another pakiet).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/catalog_schema.h"
#include "jet/data_page.h"
#include "jet/database.h"
#include "jet/usage_map.h"
#include "jet/value_text.h"
#include "jet/write/database_writer.h"
#include "platform/file_system.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), {});
}

void writeAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string makeLargeTable(const std::string& source, const std::string& target, int copies) {
    Bytes bytes = readAll(source);
    jet::Database database(jet::memorySource(bytes, source));
    jet::Table table = database.table("Table1");
    const auto& definition = table.definition();
    jet::PageFile& file = database.pages();
    std::vector<std::uint32_t> dataPages;
    for (auto page : jet::UsageMap::read(file, definition.ownedPagesMap).pages(file))
        if ((*file.page(page))[0] == 1 && jet::loadU32(*file.page(page), 4) == definition.page)
            dataPages.push_back(page);

    std::vector<std::uint32_t> owned = dataPages;
    for (int k = 0; k < copies; ++k) {
        for (auto page : dataPages) {
            owned.push_back(static_cast<std::uint32_t>(bytes.size() / jet::kPageSize));
            bytes.insert(bytes.end(), bytes.begin() + page * jet::kPageSize,
                         bytes.begin() + (page + 1) * jet::kPageSize);
        }
    }
    auto bitmapPage = static_cast<std::uint32_t>(bytes.size() / jet::kPageSize);
    Bytes bitmap(jet::kPageSize, 0);
    bitmap[0] = 0x05;
    bitmap[1] = 0x01;
    for (auto page : owned) bitmap[4 + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
    bytes.insert(bytes.end(), bitmap.begin(), bitmap.end());

    // The owned-pages map row becomes a reference map naming the bitmap page.
    auto pointer = jet::RowPointer::decode(definition.ownedPagesMap);
    jet::Bytes mapPage(bytes.data() + pointer.page * jet::kPageSize, jet::kPageSize);
    jet::RowSlot slot = jet::rowSlot(mapPage, pointer.row);
    std::uint8_t* row = bytes.data() + pointer.page * jet::kPageSize + slot.start;
    std::fill(row, row + (slot.end - slot.start), 0);
    row[0] = 0x01;
    jet::storeU32(jet::MutableBytes(row, slot.end - slot.start), 1, bitmapPage);
    // Keep the recorded row count true for tools that print it.
    jet::storeU32(jet::MutableBytes(bytes.data() + definition.page * jet::kPageSize, jet::kPageSize), 16,
                  static_cast<std::uint32_t>(512 * (copies + 1)));
    writeAll(target, bytes);
    return target;
}

// Opens the file, reads every row and formats it as CSV into a buffer flushed every 64 KB to
// nowhere: the work `pakiet catalog dump` does, without the terminal.
std::size_t dumpInProcess(const std::string& path, const std::string& name) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), path);
    jet::Table table = database.table(name);
    jet::RowCursor rows = table.rows();
    std::string out;
    std::size_t count = 0, bytes = 0;
    while (rows.next()) {
        const auto& values = rows.values();
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i) out += ',';
            jet::appendCsvValue(values[i], out);
        }
        out += "\r\n";
        ++count;
        if (out.size() > 65536) {
            bytes += out.size();
            out.clear();
        }
    }
    bytes += out.size();
    return count + (bytes == 0 ? 0 : 0);
}

// Polish words for the Dodatki texts: diacritics outside Latin-1 (ł, ż, ś, ę, ą, ć, ń, ź) keep
// most values in plain UTF-16, and a CSV-quoted comma or quote turns up now and then.
const char* const kWords[] = {"szafka", "łazienkowa", "półka", "dębowa", "żółty", "z szufladą",
                              "wiśnia", "ścienna", "narożna", "biała", "\"Źródło\"", "grafit",
                              "ciemny orzech", "uchwyt", "mosiądz", "60 cm", "drzwi przesuwne",
                              "łączenie, kątownik", "blat", "kuchenny", "czółno", "gęś", "ćma",
                              "pięćdziesiąt", "oświetlenie", "LED", "wnęka", "zawias"};

std::string polishText(int id, std::size_t column, int definedSize) {
    constexpr std::size_t words = sizeof kWords / sizeof kWords[0];
    std::string text;
    std::size_t limit = static_cast<std::size_t>(std::min(definedSize, 24));
    for (std::size_t k = 0; text.size() < limit; ++k) {
        if (!text.empty()) text += ' ';
        text += kWords[(static_cast<std::size_t>(id) * 7 + column * 13 + k * 5) % words];
    }
    text += " " + std::to_string(id);
    // Cut to the column's size in characters, on a character boundary.
    std::size_t characters = 0, end = 0;
    while (end < text.size() && characters < static_cast<std::size_t>(definedSize)) {
        auto lead = static_cast<unsigned char>(text[end]);
        end += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        ++characters;
    }
    text.resize(end);
    return text;
}

std::string makeDodatki(const std::string& target, int rows) {
    std::filesystem::remove(target);
    auto db = jet::write::DatabaseWriter::create(platform::realFileSystem(), target);
    std::vector<jet::write::ColumnShape> shape;
    const auto& columns = catalog::dodatkiColumns();
    for (const auto& c : columns)
        shape.push_back({c.name,
                         c.adoType == 3    ? jet::ColumnType::Int32
                         : c.adoType == 11 ? jet::ColumnType::Bool
                                           : jet::ColumnType::Text,
                         static_cast<std::uint16_t>(c.definedSize)});
    db->createTable({"Dodatki", shape, jet::write::PrimaryKeyShape{"Primary", "ID"}});
    std::vector<jet::Value> row(columns.size());
    for (int id = 1; id <= rows; ++id) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const auto& c = columns[k];
            row[k] = c.adoType == 3    ? jet::Value(std::int32_t(id))
                     : c.adoType == 11 ? jet::Value(id % 3 == 0)
                                       : jet::Value::text(polishText(id, k, c.definedSize));
        }
        db->appendRow("Dodatki", row);
    }
    db->close();
    return target;
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct ProcessRun {
    double seconds = 0;
    long peakKilobytes = 0;
};

// Runs a program with its output to /dev/null (no shell in between, for either tool).
ProcessRun runProcess(std::vector<std::string> argv) {
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", args[0]);
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    ProcessRun run{seconds(start), usage.ru_maxrss};
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed (%d): %s\n", status, argv[0].c_str());
        std::exit(1);
    }
    return run;
}

// PAKIET=path measures another build (an older one, say) against the same files.
std::string pakietPath() {
    const char* path = std::getenv("PAKIET");
    return path && *path ? path : PAKIET_PATH;
}

void compare(const std::string& label, const std::string& path, const std::string& table, int runs) {
    std::vector<double> ours, pakiet, export_;
    long pakietPeak = 0, exportPeak = 0;
    std::size_t rows = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        rows = dumpInProcess(path, table);
        ours.push_back(seconds(start));
        ProcessRun p = runProcess({pakietPath(), "catalog", "dump", path, table});
        ProcessRun m = runProcess({"mdb-export", path, table});
        pakiet.push_back(p.seconds);
        export_.push_back(m.seconds);
        pakietPeak = std::max(pakietPeak, p.peakKilobytes);
        exportPeak = std::max(exportPeak, m.peakKilobytes);
    }
    double a = median(ours), b = median(pakiet), c = median(export_);
    std::printf("%-16s %7zu rows | in-process %8.4f s | pakiet %8.4f s %6ld KB peak | mdb-export %8.4f s"
                " %6ld KB peak | mdb-export/pakiet %5.2fx, /in-process %6.2fx\n",
                label.c_str(), rows, a, b, pakietPeak, c, exportPeak, c / b, c / a);
}

}  // namespace

int main(int argc, char** argv) {
    const char* runsText = argc > 1 ? argv[1] : std::getenv("RUNS");
    int runs = runsText ? std::atoi(runsText) : 7;
    if (runs < 5) runs = 5;
    std::string corpus = std::string(LUMOR_TEST_DATA_DIR) + "/jet4/corpus/jackcess/";
    auto temp = std::filesystem::temp_directory_path();
    std::string narrow = (temp / "jet_dump_bench_narrow.mdb").string();
    std::string dodatki = (temp / "jet_dump_bench_dodatki.mdb").string();
    // Made in a child so that this process stays small: a child's peak memory as the kernel
    // reports it is never below its parent's size when it was started.
    pid_t maker = fork();
    if (maker == 0) {
        makeLargeTable(corpus + "compIndexTestV2000.mdb", narrow, 195);
        makeDodatki(dodatki, 100000);
        std::_Exit(0);
    }
    int status = 0;
    waitpid(maker, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
    std::printf("median of %d runs each; file sizes: narrow %ju KB, Dodatki %ju KB\n", runs,
                static_cast<std::uintmax_t>(std::filesystem::file_size(narrow) / 1024),
                static_cast<std::uintmax_t>(std::filesystem::file_size(dodatki) / 1024));
    std::printf("this process: %ld KB peak before the runs (the floor of every peak below)\n", peakKilobytes());
    compare("narrow 512", corpus + "compIndexTestV2000.mdb", "Table1", runs);
    compare("narrow 100k", narrow, "Table1", runs);
    compare("Dodatki 100k", dodatki, "Dodatki", runs);

    // Memory of an in-process scan: the peak before, after the small and after the large one.
    long before = peakKilobytes();
    dumpInProcess(corpus + "compIndexTestV2000.mdb", "Table1");
    long small = peakKilobytes();
    dumpInProcess(narrow, "Table1");
    long after = peakKilobytes();
    std::printf("in-process peak memory: %ld KB before, %ld KB after the 512-row scan, %ld KB after the "
                "100k-row scan\n", before, small, after);
    if (argc > 2 && std::string(argv[2]) == "--keep") {
        std::printf("kept %s and %s\n", narrow.c_str(), dodatki.c_str());
    } else {
        std::filesystem::remove(narrow);
        std::filesystem::remove(dodatki);
    }
    return 0;
}
