// The version resource (VS_VERSIONINFO) of a PE image: found through the resource directory,
// read back, and rewritten in the space the stub reserves for it, so that `pakiet build` can
// give a built installer its package's name and version (Explorer's Details tab, inventories,
// detection rules) before any signing. The stub's block carries a reserve (the string
// "Rezerwa" of blanks, see cmake/version_info.rc.in) that a rewritten block may use.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace archive {

class VersionResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct VersionInfo {
    std::array<std::uint16_t, 4> fileVersion{};     // 1.2.3.0
    std::array<std::uint16_t, 4> productVersion{};
    std::vector<std::pair<std::string, std::string>> strings;  // key, value (UTF-8), in order

    std::optional<std::string> string(std::string_view key) const;
};

// "1.2.3" or "1.2.3.4", each number at most 65535; none otherwise.
std::optional<std::array<std::uint16_t, 4>> parseVersionNumbers(std::string_view text);

// Where the image keeps its version resource: file offset and size of the resource data.
struct ResourceSpan {
    std::size_t offset = 0;
    std::size_t size = 0;
};
std::optional<ResourceSpan> findVersionResource(std::string_view image);

// The version resource of `image`; none when it has none or it cannot be read.
std::optional<VersionInfo> readVersionInfo(std::string_view image);

// The VS_VERSIONINFO block for `info` (Polish string table, Unicode).
std::string encodeVersionInfo(const VersionInfo& info);

// Replaces the image's version resource with `info` in place, zeros after it. Throws
// VersionResourceError when the image has no version resource or `info` does not fit.
void rewriteVersionInfo(std::string& image, const VersionInfo& info);

}  // namespace archive
