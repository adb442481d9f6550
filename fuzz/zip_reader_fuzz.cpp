// Fuzz target: the ZIP reader on arbitrary bytes: open, list, look up, check every member and
// extract each one to memory. Only ZipError may come out; a member that passes must deliver
// exactly its announced size.
#include <cstdlib>
#include <string_view>

#include "archive/zip/end_record.h"
#include "archive/zip/safe_name.h"
#include "archive/zip/zip_error.h"
#include "archive/zip/zip_reader.h"
#include "fuzz/fuzz_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zip::Source source = zip::memorySource(bytes);
    zip::hasEndRecord(source);
    try {
        zip::ZipReader reader(source);
        for (const zip::Entry& entry : reader.entries()) {
            zip::checkEntryName(entry);
            if (reader.find(entry.name) < 0) std::abort();
        }
        try {
            reader.checkAllMembers();
        } catch (const zip::ZipError&) {
        }
        for (std::size_t i = 0; i < reader.size(); ++i) {
            // Bombs are bounded by the announced size; keep single runs fast.
            if (reader.entries()[i].uncompressedSize > (64u << 20)) continue;
            std::uint64_t delivered = 0;
            try {
                reader.extract(i, [&delivered](const char*, std::size_t count) { delivered += count; });
                if (delivered != reader.entries()[i].uncompressedSize) std::abort();
            } catch (const zip::ZipError&) {
                if (delivered > reader.entries()[i].uncompressedSize) std::abort();
            }
        }
    } catch (const zip::ZipError&) {
    }
    return 0;
}

#ifndef LUMOR_LIBFUZZER_BUILD
int main(int argc, char** argv) { return replayCorpus(argc, argv); }
#endif
