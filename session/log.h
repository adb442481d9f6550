// The installer's log: info(lvl, txt). Level 1 is a message to the user, level 2 a trace line.
// Subsystems take a Log& and never know where the lines go; the window implements it (status
// label and log box) and tests record the lines.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace session {

class Log {
public:
    virtual ~Log() = default;
    // A view, so that the many lines that are literals build no string at the call site.
    virtual void info(std::int32_t lvl, std::string_view txt) = 0;
    // A line made of pieces (`info(2, {"MDB: ", path})`), joined out of line: log calls are
    // many, and a `+` chain at each of them costs a temporary and its clean-up code.
    void info(std::int32_t lvl, std::initializer_list<std::string_view> pieces);
    // A line with a pair of numbers (a size, a position): `before` first `between` second
    // `after`. The window traces many; this keeps their number formatting in one place.
    void infoPair(std::int32_t lvl, const char* before, int first, const char* between, int second,
                  const char* after);
};

}  // namespace session
