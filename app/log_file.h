// The log copied to a file (/LOG=): UTF-8, appended, each run headed by the date, the
// installer's version and file, then the package once it is known. Every line of both
// levels goes there, trace lines indented: the file is read by whoever deploys or supports
// the installer, never by the user at the window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace app {

class LogFile {
public:
    // Opens `path` for appending, creating it when missing; throws FileError when it cannot.
    LogFile(platform::FileSystem& files, const std::string& path);

    // "=== <dateTime> · <product> <version> (commit <commit>) · <installer>"
    void startRun(std::string_view dateTime, std::string_view installer);
    // "=== pakiet: <name>", once per run.
    void packageFound(std::string_view name);
    void line(std::int32_t lvl, std::string_view txt);

    // Whether a write failed; the file is left alone from then on.
    bool failed() const { return !file_; }

private:
    void write(std::string text);

    std::unique_ptr<platform::RandomAccessFile> file_;
    std::int64_t end_ = 0;
    bool packageWritten_ = false;
};

}  // namespace app
