// A Log that keeps every line with its level, for tests of code that logs.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/log.h"

namespace testsupport {

class RecordingLog : public app::Log {
public:
    void info(std::int32_t lvl, const std::string& txt) override { lines.emplace_back(lvl, txt); }
    std::vector<std::pair<std::int32_t, std::string>> lines;
};

}  // namespace testsupport
