// Fuzz target: the installer's offset-field parser. Besides not crashing, a value it accepts
// must survive pakiet build's formatting and parse back to itself.
#include <cstdlib>
#include <string_view>

#include "archive/offset_field.h"
#include "fuzz/fuzz_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = archive::parseOffsetField(text);
    if (value && *value >= 0) {
        const std::string field = archive::formatOffsetField(*value);
        if (field.size() != archive::kOffsetFieldSize || archive::parseOffsetField(field) != value) std::abort();
    }
    return 0;
}

#ifndef LUMOR_LIBFUZZER_BUILD
int main(int argc, char** argv) { return replayCorpus(argc, argv); }
#endif
