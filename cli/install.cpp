// pakiet install: parses its arguments and runs the installer headless in the current
// directory, exactly as the window would (the preparation, then the installation unless
// --dry-run), printing the log of the chosen level.
#include "cli/install.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/headless_install_streams.h"
#include "cli/command_usage.h"
#include "cli/progress_line.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "toolkit/platform_image_decoder.h"

namespace cli {

namespace {

// The installation's gauge drawn as the progress line.
class GaugeOnProgressLine : public app::ProgressOut {
public:
    explicit GaugeOnProgressLine(ProgressLine& line) : line_(line) {}
    void percent(int done) override { line_.percent("Instalacja", static_cast<std::uint64_t>(done), 100); }

private:
    ProgressLine& line_;
};

// The log's lines, printed once the progress line is gone.
class LinesAfterProgress : public app::TextOut {
public:
    LinesAfterProgress(std::ostream& stream, ProgressLine& progress) : stream_(stream), progress_(progress) {}
    void line(std::string_view text) override {
        progress_.clear();
        stream_ << text << '\n';
    }

private:
    std::ostream& stream_;
    ProgressLine& progress_;
};

}  // namespace

int runInstall(const Args& args) {
    app::HeadlessInstallOptions options;
    bool dryRun = false;
    bool haveInstaller = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg == "--debug") {
            options.logLevel = session::LogLevel::Debug;
        } else if (arg == "--drive-root" || arg == "--host") {
            if (!hasValue) return usageError("install", arg + " wymaga katalogu");
            (arg == "--host" ? options.typedHost.emplace() : options.driveRoots.emplace_back()) =
                args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError("install", "nieznana opcja " + arg);
        } else if (haveInstaller) {
            return usageError("install", "podano więcej niż jeden instalator: " + arg);
        } else {
            options.installer = arg;
            haveInstaller = true;
        }
    }
    if (!haveInstaller) return usageError("install", "nie podano instalatora");

    // The log names the installer by its full path, as the window names its own executable.
    std::error_code error;
    const std::filesystem::path given(std::u8string(options.installer.begin(), options.installer.end()));
    const std::u8string absolute = std::filesystem::absolute(given, error).u8string();
    if (!error) options.installer.assign(absolute.begin(), absolute.end());

    platform::FileSystem& files = platform::realFileSystem();
    if (!files.fileExists(options.installer))
        return usageError("install", "nie ma pliku instalatora: " + options.installer);
    const auto decoder = toolkit::makePlatformImageDecoder();
    if (dryRun)
        return app::runInstallDryRun(options, files, platform::realSystem(), decoder.get(), std::cout,
                                     std::cerr);
    ProgressLine progress = ProgressLine::onStandardError();
    GaugeOnProgressLine gauge(progress);
    options.progress = &gauge;
    LinesAfterProgress out(std::cout, progress), err(std::cerr, progress);
    return app::runHeadlessInstall(options, files, platform::realSystem(), decoder.get(), out, err);
}

}  // namespace cli
