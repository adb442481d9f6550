// SOURCE_DATE_EPOCH read strictly: a value a tool cannot read exactly must not be read loosely.
#include "platform/source_date.h"

#include <cstdlib>

namespace platform {

SourceDate sourceDateFrom(const char* text) {
    SourceDate date;
    if (!text || !*text) return date;
    constexpr std::int64_t kLast = 253402300799;  // 9999-12-31 23:59:59
    std::int64_t seconds = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || seconds > kLast) {
            date.state = SourceDate::State::Malformed;
            date.text = text;
            return date;
        }
        seconds = seconds * 10 + (*c - '0');
    }
    if (seconds > kLast) {
        date.state = SourceDate::State::Malformed;
        date.text = text;
        return date;
    }
    date.state = SourceDate::State::Valid;
    date.seconds = seconds;
    return date;
}

SourceDate sourceDate() { return sourceDateFrom(std::getenv("SOURCE_DATE_EPOCH")); }

}  // namespace platform
