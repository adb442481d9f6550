// The common ground of the archive tests: a temporary working folder, a disk file system with
// failure switches, a recording log and the installer state as the window would set it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "archive/zip/zip_writer.h"
#include "platform/paths.h"
#include "session/installer_state.h"
#include "tests/support/recording_log.h"
#include "tests/support/std_file_system.h"
#include "tests/support/test_paths.h"

namespace archivetest {

inline std::filesystem::path nativePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

class ArchiveTest : public ::testing::Test {
protected:
    ArchiveTest() {
        state.log_level = session::LogLevel::Debug;
        state.tmpDir = dir.folder() + "tmp" + platform::kSeparator;
        state.fileZip = "packages.zip";
        state.sourceZip = state.tmpDir + state.fileZip;
        fs.createFolder(dir.folder() + "tmp");
    }

    // A path below the temporary folder, with the platform's separators.
    std::string path(const std::string& relative) const {
        std::string out = dir.folder();
        for (char c : relative) out += (c == '/') ? platform::kSeparator : c;
        return out;
    }
    std::string read(const std::string& relative) const { return testsupport::readFile(nativePath(path(relative))); }
    void write(const std::string& relative, const std::string& bytes) const {
        testsupport::writeFile(nativePath(path(relative)), bytes);
    }
    bool exists(const std::string& relative) { return fs.fileExists(path(relative)); }

    testsupport::TempDir dir;
    testsupport::StdFileSystem fs;
    testsupport::RecordingLog log;
    session::InstallerState state;
};

}  // namespace archivetest
