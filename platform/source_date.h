// SOURCE_DATE_EPOCH, the reproducible-builds convention: when set, programs that stamp the
// files they write with a time use it instead of the clock, so the same sources give the same
// bytes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct SourceDate {
    enum class State { Unset, Valid, Malformed };
    State state = State::Unset;
    std::int64_t seconds = 0;  // since 1970-01-01 00:00:00 UTC, when Valid
    std::string text;          // as found, when Malformed
};

// Reads the environment once per call. An empty value counts as unset; anything other than
// decimal digits (at most 253402300799, the end of the year 9999) is Malformed.
SourceDate sourceDate();

// The text judged as the environment variable would be (tests).
SourceDate sourceDateFrom(const char* text);

}  // namespace platform
