// std::filesystem carries the wide names on Windows; std::u8string keeps them UTF-8 here.
#include "cli/cli_files.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace cli {

std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read '" + utf8FromPath(file) + "'");
    std::ostringstream data;
    data << in.rdbuf();
    if (in.bad()) throw std::runtime_error("error reading '" + utf8FromPath(file) + "'");
    return data.str();
}

}  // namespace cli
