#include "tests/host/host_fixture.h"

#include "platform/paths.h"

namespace hosttest {

namespace fs = std::filesystem;

static fs::path u8path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

Drives::Drives() = default;

std::string Drives::root(const std::string& letter) {
    fs::create_directories(temp_.path() / letter);
    return temp_.folder() + letter + platform::kSeparator;
}

std::string Drives::makeFolder(const std::string& letter, const std::string& relative) {
    const std::string path = root(letter) + nativePath(relative);
    fs::create_directories(u8path(path));
    std::string out = path;
    while (!out.empty() && out.back() == platform::kSeparator) out.pop_back();
    return out;
}

std::string Drives::makeFile(const std::string& letter, const std::string& relative,
                             const std::string& bytes) {
    const fs::path path = u8path(root(letter) + nativePath(relative));
    fs::create_directories(path.parent_path());
    testsupport::writeFile(path, bytes);
    return root(letter) + nativePath(relative);
}

bool exists(const std::string& path) { return fs::exists(u8path(path)); }

std::string contents(const std::string& path) { return testsupport::readFile(u8path(path)); }

}  // namespace hosttest
