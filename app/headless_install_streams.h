// The headless runs printing to streams, for pakiet and the tests: kept apart from
// headless_install.h so that the stub, which has no streams, never compiles them.
#pragma once

#include <ostream>

#include "app/headless_install.h"

namespace app {

// Lines written to a stream, each ended with a newline.
class StreamTextOut : public TextOut {
public:
    explicit StreamTextOut(std::ostream& stream) : stream_(stream) {}
    void line(std::string_view text) override { stream_ << text << '\n'; }

private:
    std::ostream& stream_;
};

// The same runs printing to streams.
inline int runInstallDryRun(const HeadlessInstallOptions& options, platform::FileSystem& files,
                            platform::System& system, toolkit::ImageDecoder* decoder,
                            std::ostream& out, std::ostream& err) {
    StreamTextOut outLines(out), errLines(err);
    return runInstallDryRun(options, files, system, decoder, outLines, errLines);
}
inline int runHeadlessInstall(const HeadlessInstallOptions& options, platform::FileSystem& files,
                              platform::System& system, toolkit::ImageDecoder* decoder,
                              std::ostream& out, std::ostream& err) {
    StreamTextOut outLines(out), errLines(err);
    return runHeadlessInstall(options, files, system, decoder, outLines, errLines);
}

}  // namespace app
