// Fuzz target for the Jet reader: open a database from arbitrary bytes and read every table
// the catalogue lists, every row and field. A JetError is the expected answer to bad bytes;
// anything else (a crash, another exception, a hang, a huge allocation) is a fault.
// Without libFuzzer the same code is a program replaying every file of the folders it is given.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_replay.h"
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
int main(int argc, char** argv) { return replayCorpus(argc, argv); }
#endif
