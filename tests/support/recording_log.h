// A Log that keeps every line with its level, for tests that check exact log output.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "session/log.h"

namespace testsupport {

class RecordingLog : public session::Log {
public:
    void info(std::int32_t lvl, std::string_view txt) override { lines.emplace_back(lvl, txt); }
    std::vector<std::string> atLevel(std::int32_t lvl) const {
        std::vector<std::string> out;
        for (const auto& [level, text] : lines)
            if (level == lvl) out.push_back(text);
        return out;
    }
    std::vector<std::pair<std::int32_t, std::string>> lines;
};

}  // namespace testsupport
