// The log file: each write goes straight to the system at the file's end (no buffer to lose
// when the process is ended), and a failed write closes the file instead of stopping the run.
#include "app/log_file.h"

#include <exception>

#include "platform/concat.h"
#include "session/version.h"

namespace app {

LogFile::LogFile(platform::FileSystem& files, const std::string& path)
    : file_(files.openReadWrite(path, platform::Sharing::ReadWriteForOthers, /*create=*/true)),
      end_(file_->size()) {}

void LogFile::startRun(std::string_view dateTime, std::string_view installer) {
    write(platform::concat({"=== ", dateTime, " · ", session::versionLine(), " · ", installer}));
}

void LogFile::packageFound(std::string_view name) {
    if (packageWritten_ || name.empty()) return;
    packageWritten_ = true;
    write(platform::concat({"=== pakiet: ", name}));
}

void LogFile::line(std::int32_t lvl, std::string_view txt) {
    write(platform::concat({lvl >= 2 ? "    " : "", txt}));
}

void LogFile::write(std::string text) {
    if (!file_) return;
    // Windows' own tools read the file too: lines end with CR LF.
    text += "\r\n";
    try {
        file_->writeAt(end_, text.data(), text.size());
        end_ += static_cast<std::int64_t>(text.size());
    } catch (const std::exception&) {
        file_.reset();
    }
}

}  // namespace app
