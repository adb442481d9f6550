// A Log for host tests that keeps every line with its level, in order, whatever the level.
#pragma once

#include <string>
#include <vector>

#include "session/log.h"

namespace hosttest {

struct LogLine {
    int level;
    std::string text;
    bool operator==(const LogLine&) const = default;
};

class RecordingLog : public session::Log {
public:
    void info(std::int32_t lvl, std::string_view txt) override { lines.push_back({lvl, std::string(txt)}); }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& line : lines) out.push_back(line.text);
        return out;
    }
    std::vector<std::string> userMessages() const {
        std::vector<std::string> out;
        for (const auto& line : lines)
            if (line.level == 1) out.push_back(line.text);
        return out;
    }
    bool has(const std::string& text) const {
        for (const auto& line : lines)
            if (line.text == text) return true;
        return false;
    }
    int count(const std::string& text) const {
        int n = 0;
        for (const auto& line : lines) n += line.text == text;
        return n;
    }

    std::vector<LogLine> lines;
};

// Example paths written the Windows way, turned into the platform's own separator.
std::string nativePath(std::string path);

}  // namespace hosttest
