// Where tests find the reference data and the sources, and a temporary folder
// that removes itself. Paths are native (drive Z: under Wine).
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// tests/data in the checkout (Jet corpus, oracle goldens, Jackcess).
// LUMOR_TEST_DATA_DIR in the environment overrides it.
std::filesystem::path testDataDir();

// The checkout's root.
std::filesystem::path sourceDir();

// A fresh, empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // path() as UTF-8 text ending with the platform's separator.
    std::string folder() const;

private:
    std::filesystem::path path_;
};

// Whole-file helpers for fixtures.
void writeFile(const std::filesystem::path& file, const std::string& bytes);
std::string readFile(const std::filesystem::path& file);

}  // namespace testsupport
