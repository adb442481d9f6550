// Fuzz target for the Jet reader: open a database from arbitrary bytes and read every table
// the catalogue lists, every row and field. A JetError is the expected answer to bad bytes;
// anything else (a crash, another exception, a hang, a huge allocation) is a fault.
// Without libFuzzer the same code is a program replaying every file of the folders it is given.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "jet/database.h"
#include "jet/jet_error.h"

static void readEverything(const std::uint8_t* data, std::size_t size) {
    try {
        jet::Database database(jet::memorySource(std::vector<std::uint8_t>(data, data + size), "fuzz.mdb"));
        for (const auto& entry : database.catalog()) {
            if (entry.kind != jet::ObjectKind::UserTable && entry.kind != jet::ObjectKind::SystemTable)
                continue;
            try {
                jet::Table table = database.table(entry.name);
                jet::RowCursor rows = table.rows();
                while (rows.next()) {
                    for (const auto& column : table.columns()) (void)rows.field(column.name);
                }
            } catch (const jet::JetError&) {
                // One damaged table does not stop the others from being read.
            }
        }
    } catch (const jet::JetError&) {
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readEverything(data, size);
    return 0;
}

#ifndef LUMOR_LIBFUZZER_BUILD
int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.emplace_back(argv[i]);
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
#endif
