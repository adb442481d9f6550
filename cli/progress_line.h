// Progress of long work (build, catalog import, extract, install) as one line on standard
// error that redraws itself, drawn only when standard error is a terminal: files and pipes
// get nothing, so what scripts and tests read stays as it was. The line is redrawn when its
// text changes, at most every 100 ms (100,000 rows would otherwise keep the terminal busy)
// unless a new stage begins, and cleared before other lines are printed and at the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

class ProgressLine {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Draws on `stream` only when `shown`; `clock` tells the time for the 100 ms rule.
    ProgressLine(std::FILE* stream, bool shown, Clock clock = &std::chrono::steady_clock::now);
    // On standard error, shown when it is a terminal.
    static ProgressLine onStandardError();
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // "WHAT: N%" for `done` of `total` (0 % while the total is 0); another WHAT than before is
    // a new stage, drawn at once.
    void percent(std::string_view what, std::uint64_t done, std::uint64_t total);
    // The line shows `text` (a short one: a line wider than the terminal wraps and cannot be
    // redrawn in place).
    void show(const std::string& text);
    // The line emptied and the cursor at its start, so that other lines can follow.
    void clear();

private:
    void draw(const std::string& text, bool now);

    std::FILE* stream_;
    bool shown_;
    Clock clock_;
    std::string stage_;          // the WHAT of the last percent()
    std::string drawn_;          // what the line shows now
    std::size_t drawnWidth_ = 0;  // its width in characters
    std::optional<std::chrono::steady_clock::time_point> lastDraw_;
};

}  // namespace cli
