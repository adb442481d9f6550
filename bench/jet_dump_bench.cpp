// Dumping whole tables: our reader (in process, and as `pakiet catalog dump`) against
// mdbtools' `mdb-export` on the same files in the same run. Prints the median of several
// runs, rows per second and the ratio, and the peak memory of scans of a small and a large
// table to show that scanning does not grow with the table.
//
// The large table is made here from the corpus: the 512-row table of compIndexTestV2000 with
// its data pages repeated until it holds about 100 000 rows, its usage map rewritten as a
// reference map over one bitmap page (indexes are left stale; a scan does not use them).
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

#include "jet/data_page.h"
#include "jet/database.h"
#include "jet/usage_map.h"
#include "jet/value_text.h"

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

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double runCommand(const std::string& command) {
    auto start = Clock::now();
    int status = std::system((command + " > /dev/null").c_str());
    double elapsed = seconds(start);
    if (status != 0) {
        std::fprintf(stderr, "failed (%d): %s\n", status, command.c_str());
        std::exit(1);
    }
    return elapsed;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void compare(const std::string& path, const std::string& table, int runs) {
    std::vector<double> ours, pakiet, export_;
    std::size_t rows = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        rows = dumpInProcess(path, table);
        ours.push_back(seconds(start));
        pakiet.push_back(runCommand(std::string(PAKIET_PATH) + " catalog dump '" + path + "' '" + table + "'"));
        export_.push_back(runCommand("mdb-export '" + path + "' '" + table + "'"));
    }
    double a = median(ours), b = median(pakiet), c = median(export_);
    std::printf("%-28s %-8s %7zu rows | in-process %9.4f s %11.0f rows/s | pakiet %8.4f s %11.0f rows/s"
                " | mdb-export %8.4f s %11.0f rows/s | ratio pakiet/mdb-export %5.1fx, in-process %6.1fx\n",
                std::filesystem::path(path).filename().string().c_str(), table.c_str(), rows, a, rows / a, b,
                rows / b, c, rows / c, c / b, c / a);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    std::string corpus = std::string(LUMOR_SHARED_DIR) + "/jet4/corpus/";
    std::string large = (std::filesystem::temp_directory_path() / "jet_dump_bench_large.mdb").string();
    makeLargeTable(corpus + "jackcess/compIndexTestV2000.mdb", large, 195);

    std::printf("median of %d runs each\n", runs);
    compare(corpus + "jackcess/compIndexTestV2000.mdb", "Table1", runs);
    compare(corpus + "jackcess/compIndexTestV2003.mdb", "Table1", runs);
    compare(large, "Table1", runs);

    // Memory of a scan: the peak after scanning the small table, then after the large one.
    long before = peakKilobytes();
    dumpInProcess(corpus + "jackcess/compIndexTestV2000.mdb", "Table1");
    long small = peakKilobytes();
    dumpInProcess(large, "Table1");
    long after = peakKilobytes();
    std::printf("peak memory: %ld KB at start, %ld KB after the 512-row scan, %ld KB after the "
                "%d-row scan (file %zu KB)\n",
                before, small, after, 512 * 196, static_cast<std::size_t>(std::filesystem::file_size(large) / 1024));
    if (argc > 2 && std::string(argv[2]) == "--keep")
        std::printf("kept %s\n", large.c_str());
    else
        std::filesystem::remove(large);
    return 0;
}
