// The progress line: nothing at all unless shown (files and pipes), drawn in place, redrawn at
// most every 100 ms of an injected clock, padded over a longer line by characters, cleared.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "cli/progress_line.h"

namespace cli {
namespace {

using namespace std::chrono_literals;

// A stream to draw on and a clock the test moves.
struct Terminal {
    std::FILE* stream = std::tmpfile();
    std::chrono::steady_clock::time_point now{};
    ProgressLine::Clock clock() {
        return [this] { return now; };
    }
    ~Terminal() { std::fclose(stream); }
    // Everything written so far.
    std::string written() {
        std::fflush(stream);
        std::string text;
        std::rewind(stream);
        for (int c; (c = std::fgetc(stream)) != EOF;) text += static_cast<char>(c);
        return text;
    }
};

TEST(ProgressLine, WritesNothingWhenNotShown) {
    Terminal terminal;
    {
        ProgressLine line(terminal.stream, false, terminal.clock());
        line.percent("Budowanie instalatora", 3, 10);
        line.show("Instalacja: 50%");
        line.clear();
    }
    EXPECT_EQ(terminal.written(), "");
}

TEST(ProgressLine, DrawsInPlaceAtMostEvery100MsAndClearsAtTheEnd) {
    Terminal terminal;
    {
        ProgressLine line(terminal.stream, true, terminal.clock());
        line.percent("Rozpakowywanie", 0, 4);  // the first draw is at once
        EXPECT_EQ(terminal.written(), "\rRozpakowywanie: 0%");
        terminal.now += 99ms;
        line.percent("Rozpakowywanie", 1, 4);  // too soon: skipped
        line.percent("Rozpakowywanie", 0, 4);  // the same text: nothing to draw
        EXPECT_EQ(terminal.written(), "\rRozpakowywanie: 0%");
        terminal.now += 1ms;
        line.percent("Rozpakowywanie", 3, 4);
        EXPECT_EQ(terminal.written(), "\rRozpakowywanie: 0%\rRozpakowywanie: 75%");
    }
    // The destructor blanks the 19 characters drawn and leaves the cursor at the start.
    EXPECT_EQ(terminal.written(), "\rRozpakowywanie: 0%\rRozpakowywanie: 75%\r" + std::string(19, ' ') + "\r");
}

TEST(ProgressLine, ANewStageIsDrawnAtOnce) {
    Terminal terminal;
    ProgressLine line(terminal.stream, true, terminal.clock());
    line.percent("Rozpoznawanie pliku CSV", 100, 100);
    line.percent("Import wierszy", 1, 100);  // at the same instant
    line.percent("Import wierszy", 2, 100);  // the same stage: waits
    EXPECT_EQ(terminal.written(), "\rRozpoznawanie pliku CSV: 100%\rImport wierszy: 1%" + std::string(11, ' ') +
                                      "\rImport wierszy: 1%");
}

TEST(ProgressLine, AShorterLineBlanksTheRestCountingCharactersNotBytes) {
    Terminal terminal;
    ProgressLine line(terminal.stream, true, terminal.clock());
    line.show("Łączenie łóżek: 100%");  // 20 characters, 24 bytes
    terminal.now += 1s;
    line.show("Łóżka: 5%");  // 9 characters
    EXPECT_EQ(terminal.written(), "\rŁączenie łóżek: 100%\rŁóżka: 5%" + std::string(11, ' ') + "\rŁóżka: 5%");
}

TEST(ProgressLine, AClearedLineIsDrawnAgainAtOnceAndClearedOnlyOnce) {
    Terminal terminal;
    ProgressLine line(terminal.stream, true, terminal.clock());
    line.show("Import wierszy: 10%");
    line.clear();
    line.clear();
    // Another line was printed in between: the progress comes back without waiting.
    line.show("Import wierszy: 10%");
    EXPECT_EQ(terminal.written(), "\rImport wierszy: 10%\r" + std::string(19, ' ') + "\r\rImport wierszy: 10%");
}

TEST(ProgressLine, PercentOfAnEmptyTotalIsZeroAndNeverAboveAHundred) {
    Terminal terminal;
    ProgressLine line(terminal.stream, true, terminal.clock());
    line.percent("A", 5, 0);
    terminal.now += 1s;
    line.percent("A", 12, 10);
    terminal.now += 1s;
    line.percent("A", 2, 3);  // rounded down: 100% only when all is done
    EXPECT_EQ(terminal.written(), "\rA: 0%\rA: 100%\rA: 66%" + std::string(1, ' ') + "\rA: 66%");
}

}  // namespace
}  // namespace cli
