// pakiet's log: the lines that pass a level, printed on a stream as they come. Plain lines go out
// as they are (a debug merge traces every record: no printf formatting, a quarter of its
// time); tagged ones as "[level] text" with the bytes that are no UTF-8 escaped, as the lines
// of an extraction name the archive's members.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "cli/progress_line.h"
#include "session/log.h"
#include "session/log_level.h"

namespace cli {

class ConsoleLog : public session::Log {
public:
    enum class Form { Plain, Tagged };

    // `progress`, when given, is cleared before each line, which would run into it otherwise.
    ConsoleLog(std::FILE* stream, session::LogLevel level, Form form = Form::Plain,
               ProgressLine* progress = nullptr)
        : stream_(stream), level_(level), form_(form), progress_(progress) {}
    using session::Log::info;
    void info(std::int32_t lvl, std::string_view txt) override;

private:
    std::FILE* stream_;
    session::LogLevel level_;
    Form form_;
    ProgressLine* progress_;
};

}  // namespace cli
