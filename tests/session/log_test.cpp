#include <climits>

#include <gtest/gtest.h>

#include "tests/support/recording_log.h"

namespace {

// Lines joined out of line read as the pieces written one after another; the numbers of a
// pair as std::to_string spells them, signs and extremes included (window positions can be
// negative on a screen left of the main one).
TEST(Log, JoinedLinesReadAsTheirPiecesInOrder) {
    testsupport::RecordingLog recording;
    session::Log& log = recording;
    log.info(2, {"MDB: ", "C:\\Katalog\\dodatki.mdb", ""});
    log.infoPair(2, "Centrujemy  [ ", -1920, " - ", 0, " ]");
    log.infoPair(1, "JPG: [", INT_MIN, "x", INT_MAX, "]");
    const std::vector<std::pair<std::int32_t, std::string>> expected = {
        {2, "MDB: C:\\Katalog\\dodatki.mdb"},
        {2, "Centrujemy  [ -1920 - 0 ]"},
        {1, "JPG: [" + std::to_string(INT_MIN) + "x" + std::to_string(INT_MAX) + "]"},
    };
    EXPECT_EQ(recording.lines, expected);
}

}  // namespace
