// A Log for tests that keeps every line with its level.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "session/log.h"

namespace catalogtest {

class RecordingLog : public session::Log {
public:
    void info(std::int32_t lvl, std::string_view txt) override { lines.emplace_back(lvl, txt); }
    std::vector<std::pair<std::int32_t, std::string>> lines;
};

}  // namespace catalogtest
