// Whole-file reading and atomic writing for pakiet's commands, with UTF-8 paths on every
// platform, and errors that name the file.
#pragma once

#include <filesystem>
#include <string>

namespace cli {

std::filesystem::path pathFromUtf8(const std::string& utf8);
std::string utf8FromPath(const std::filesystem::path& path);
// Throws std::runtime_error naming the file.
std::string readWholeFile(const std::filesystem::path& file);

}  // namespace cli
