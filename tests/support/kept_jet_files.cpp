#include "tests/support/kept_jet_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace testsupport {

void keepForOutsideReaders(const std::string& file) {
    const char* folder = std::getenv("LUMOR_KEPT_JET");
    if (!folder || !*folder) return;
    static int counter = 0;
    std::string name = "file";
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':') c = '_';
    const std::filesystem::path target =
        std::filesystem::path(folder) / (name + "-" + std::to_string(counter++) + ".mdb");
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(std::filesystem::path(file), target,
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace testsupport
