// Paths to test data and self-removing temporary folders for tests.
#include "tests/support/test_paths.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

fs::path testDataDir() {
    if (const char* env = std::getenv("LUMOR_TEST_DATA_DIR"); env && *env) return fs::path(env);
    return fs::path(LUMOR_TEST_DATA_DIR);
}

fs::path sourceDir() { return fs::path(LUMOR_SOURCE_DIR); }

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << "lumor-test-" << stamp << "-" << counter++;
        fs::path candidate = fs::temp_directory_path() / name.str();
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::folder() const {
    std::string text = path_.u8string().empty() ? std::string() : std::string(
        reinterpret_cast<const char*>(path_.u8string().c_str()));
    const char sep = static_cast<char>(fs::path::preferred_separator);
    if (text.empty() || text.back() != sep) text += sep;
    return text;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + file.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

}  // namespace testsupport
