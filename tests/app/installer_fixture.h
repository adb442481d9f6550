// A started installer for tests: the real file system in a temporary folder that stands in
// for the current directory, a fake system (screen 1920 x 1080) and the headless backend.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/program_entry.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/fake_system.h"
#include "tests/support/test_paths.h"
#include "toolkit/headless/recording_headless_backend.h"

namespace apptest {

// An installer file whose trailer says it carries no package (offset 0): the preparation
// then runs to its end with its "no package" messages. Returns its path.
inline std::string writeInstallerWithoutPackage(const testsupport::TempDir& dir) {
    const std::string path = dir.folder() + "instalator.exe";
    testsupport::writeFile(dir.path() / "instalator.exe",
                           "MZ stand-in\xEF\xBB\xBF" + std::string(19, ' ') + "0");
    return path;
}

struct Installer {
    testsupport::TempDir dir;
    testsupport::FakeSystem system;
    toolkit::RecordingHeadlessBackend backend;
    std::unique_ptr<app::TForm1> form;

    // Current directory without its trailing separator, as the system reports it.
    std::string currentDir() const {
        std::string folder = dir.folder();
        folder.pop_back();
        return folder;
    }
    std::filesystem::path workDir() const { return dir.path() / "tmp"; }

    void start(const std::vector<std::string>& args = {},
               platform::FileSystem& files = platform::realFileSystem()) {
        system.currentDir = currentDir();
        if (system.exePath.empty()) system.exePath = writeInstallerWithoutPackage(dir);
        form = app::startInstaller(backend, files, system, args);
    }
    std::vector<std::string> logBox() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < form->infoBox.lines().size(); ++i)
            out.emplace_back(form->infoBox.lines()[i]);
        return out;
    }
};

}  // namespace apptest
