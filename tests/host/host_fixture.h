// A temporary folder standing in for the drives of a machine, with helpers to lay out maker
// folders, host installations and installed package catalogs in it.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "tests/host/recording_log.h"
#include "tests/support/fake_system.h"
#include "tests/support/fault_injecting_file_system.h"
#include "tests/support/test_paths.h"

namespace hosttest {

class Drives {
public:
    Drives();

    // The root of a drive named `letter` (a folder of the temporary folder), ending with the
    // separator; the drive is created on first use.
    std::string root(const std::string& letter);
    // Makes every folder of `relative` (pieces separated by '\') below the drive's root and
    // returns the full path, without a trailing separator.
    std::string makeFolder(const std::string& letter, const std::string& relative);
    // Writes a file at `relative` below the drive's root.
    std::string makeFile(const std::string& letter, const std::string& relative,
                         const std::string& bytes);

private:
    testsupport::TempDir temp_;
};

bool exists(const std::string& path);
std::string contents(const std::string& path);

}  // namespace hosttest
