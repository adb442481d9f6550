// PE resource tree: type RT_VERSION (16), its first name, its first language, a data entry
// whose RVA the section table turns into a file offset. VS_VERSIONINFO nodes: wLength,
// wValueLength, wType, a UTF-16 key, padding to 32 bits, the value, padding, the children.
#include "archive/pe_version_resource.h"

#include <algorithm>

#include "platform/unicode.h"

namespace archive {

namespace {

std::uint32_t u16At(std::string_view b, std::size_t at) {
    if (at + 2 > b.size()) throw VersionResourceError("version resource: read past the image");
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t u32At(std::string_view b, std::size_t at) { return u16At(b, at) | u16At(b, at + 2) << 16; }

std::size_t aligned4(std::size_t n) { return (n + 3) & ~std::size_t(3); }

std::optional<std::size_t> rvaToOffset(std::string_view image, std::size_t sections, std::size_t count,
                                       std::uint32_t rva) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t s = sections + i * 40;
        const std::uint32_t virtualAddress = u32At(image, s + 12), rawSize = u32At(image, s + 16);
        const std::uint32_t size = std::max(u32At(image, s + 8), rawSize);
        if (rva >= virtualAddress && rva < virtualAddress + size) {
            if (rva - virtualAddress >= rawSize) return std::nullopt;
            return u32At(image, s + 20) + (rva - virtualAddress);
        }
    }
    return std::nullopt;
}

// The entry of the resource directory at `dir` (offset in the image) with `id`, or its first
// entry when `id` is 0; its target's offset from the section start, high bit for a directory.
std::optional<std::uint32_t> entryOf(std::string_view image, std::size_t dir, std::uint32_t id) {
    const std::size_t named = u16At(image, dir + 12), ids = u16At(image, dir + 14);
    for (std::size_t i = 0; i < named + ids; ++i) {
        const std::size_t e = dir + 16 + i * 8;
        if (id == 0 || (i >= named && u32At(image, e) == id)) return u32At(image, e + 4);
    }
    return std::nullopt;
}

std::string utf16(std::string_view utf8) {
    std::string out;
    for (char16_t c : platform::utf8ToUtf16(utf8)) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

void putU16(std::string& out, std::size_t at, std::size_t value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}
void appendU16(std::string& out, std::uint32_t v) { out.append({static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}); }
void appendU32(std::string& out, std::uint32_t v) {
    appendU16(out, v & 0xFFFF);
    appendU16(out, v >> 16);
}

// One node: header, key, value (wValueLength in `valueUnits`), children.
std::string node(std::string_view key, std::uint16_t type, std::string_view value, std::size_t valueUnits,
                 std::string_view children) {
    std::string out(6, '\0');
    out += utf16(key) + std::string(2, '\0');
    out.resize(aligned4(out.size()), '\0');
    out += value;
    if (!children.empty()) {
        out.resize(aligned4(out.size()), '\0');
        out += children;
    }
    putU16(out, 0, out.size());
    putU16(out, 2, valueUnits);
    putU16(out, 4, type);
    return out;
}

std::string padded(std::string block) {
    block.resize(aligned4(block.size()), '\0');
    return block;
}

// One node as stored: its key, type, value bytes and the span of its children.
struct Node {
    std::string key;
    std::uint32_t type = 0;
    std::string_view value;
    std::size_t valueUnits = 0;
    std::string_view children;
};
Node readNode(std::string_view block) {
    Node n;
    const std::size_t length = u16At(block, 0);
    if (length < 6 || length > block.size()) throw VersionResourceError("version resource: bad node length");
    n.valueUnits = u16At(block, 2);
    n.type = u16At(block, 4);
    std::u16string key;
    std::size_t at = 6;
    for (; u16At(block, at) != 0; at += 2) key += static_cast<char16_t>(u16At(block, at));
    n.key = platform::utf16ToUtf8(key);
    at = aligned4(at + 2);
    const std::size_t valueBytes = n.type == 1 ? n.valueUnits * 2 : n.valueUnits;
    if (at + valueBytes > length) throw VersionResourceError("version resource: value past its node");
    n.value = block.substr(at, valueBytes);
    at = aligned4(at + valueBytes);
    n.children = at < length ? block.substr(at, length - at) : std::string_view();
    return n;
}
template <typename Visit>
void eachChild(std::string_view children, Visit visit) {
    while (children.size() >= 6) {
        const std::size_t length = u16At(children, 0);
        if (length == 0) break;
        visit(readNode(children));
        const std::size_t next = aligned4(length);
        children = next < children.size() ? children.substr(next) : std::string_view();
    }
}

std::uint32_t high(const std::array<std::uint16_t, 4>& v) { return std::uint32_t(v[0]) << 16 | v[1]; }
std::uint32_t low(const std::array<std::uint16_t, 4>& v) { return std::uint32_t(v[2]) << 16 | v[3]; }

}  // namespace

std::optional<std::string> VersionInfo::string(std::string_view key) const {
    for (const auto& [k, v] : strings)
        if (k == key) return v;
    return std::nullopt;
}

std::optional<std::array<std::uint16_t, 4>> parseVersionNumbers(std::string_view text) {
    std::array<std::uint16_t, 4> parts{};
    std::size_t count = 0;
    while (true) {
        std::size_t digits = 0;
        std::uint32_t value = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && value <= 65535)
            value = value * 10 + static_cast<std::uint32_t>(text[digits++] - '0');
        if (digits == 0 || value > 65535 || count == 4) return std::nullopt;
        parts[count++] = static_cast<std::uint16_t>(value);
        text.remove_prefix(digits);
        if (text.empty()) break;
        if (text.front() != '.') return std::nullopt;
        text.remove_prefix(1);
    }
    if (count < 3) return std::nullopt;
    return parts;
}

std::optional<ResourceSpan> findVersionResource(std::string_view image) {
    try {
        if (image.size() < 64 || image.substr(0, 2) != "MZ") return std::nullopt;
        const std::size_t pe = u32At(image, 0x3C);
        if (image.substr(pe, 4) != std::string_view("PE\0\0", 4)) return std::nullopt;
        const std::size_t sectionCount = u16At(image, pe + 6), optionalSize = u16At(image, pe + 20);
        const std::size_t optional = pe + 24;
        const std::uint32_t magic = u16At(image, optional);
        const std::size_t directories = optional + (magic == 0x20B ? 112 : 96);
        const std::uint32_t resourceRva = u32At(image, directories + 2 * 8);
        if (resourceRva == 0) return std::nullopt;
        const std::size_t sections = optional + optionalSize;
        const auto root = rvaToOffset(image, sections, sectionCount, resourceRva);
        if (!root) return std::nullopt;
        std::optional<std::uint32_t> entry = entryOf(image, *root, 16);  // RT_VERSION
        for (int level = 0; level < 2 && entry; ++level) {
            if (!(*entry & 0x80000000U)) return std::nullopt;
            entry = entryOf(image, *root + (*entry & 0x7FFFFFFFU), 0);
        }
        if (!entry || (*entry & 0x80000000U)) return std::nullopt;
        const std::size_t data = *root + *entry;
        const auto offset = rvaToOffset(image, sections, sectionCount, u32At(image, data));
        const std::size_t size = u32At(image, data + 4);
        if (!offset || *offset + size > image.size()) return std::nullopt;
        return ResourceSpan{*offset, size};
    } catch (const VersionResourceError&) {
        return std::nullopt;
    }
}

std::optional<VersionInfo> readVersionInfo(std::string_view image) {
    const auto span = findVersionResource(image);
    if (!span) return std::nullopt;
    try {
        const Node root = readNode(image.substr(span->offset, span->size));
        if (root.key != "VS_VERSION_INFO" || root.value.size() != 52 || u32At(root.value, 0) != 0xFEEF04BDU)
            return std::nullopt;
        VersionInfo info;
        const auto numbers = [&](std::size_t at) {
            const std::uint32_t ms = u32At(root.value, at), ls = u32At(root.value, at + 4);
            return std::array<std::uint16_t, 4>{static_cast<std::uint16_t>(ms >> 16), static_cast<std::uint16_t>(ms),
                                                static_cast<std::uint16_t>(ls >> 16), static_cast<std::uint16_t>(ls)};
        };
        info.fileVersion = numbers(8);
        info.productVersion = numbers(16);
        eachChild(root.children, [&](const Node& child) {
            if (child.key != "StringFileInfo") return;
            eachChild(child.children, [&](const Node& table) {
                eachChild(table.children, [&](const Node& s) {
                    std::u16string text;
                    for (std::size_t i = 0; i + 1 < s.value.size(); i += 2) {
                        const auto c = static_cast<char16_t>(u16At(s.value, i));
                        if (c == 0) break;
                        text += c;
                    }
                    info.strings.emplace_back(s.key, platform::utf16ToUtf8(text));
                });
            });
        });
        return info;
    } catch (const VersionResourceError&) {
        return std::nullopt;
    }
}

std::string encodeVersionInfo(const VersionInfo& info) {
    std::string fixed;
    for (std::uint32_t v : {0xFEEF04BDU, 0x00010000U, high(info.fileVersion), low(info.fileVersion),
                            high(info.productVersion), low(info.productVersion),
                            0x3FU /* VS_FFI_FILEFLAGSMASK */, 0U, 0x40004U /* VOS_NT_WINDOWS32 */,
                            1U /* VFT_APP */, 0U, 0U, 0U})
        appendU32(fixed, v);
    std::string strings;
    for (const auto& [key, value] : info.strings) {
        const std::string text = utf16(value) + std::string(2, '\0');
        strings += padded(node(key, 1, text, text.size() / 2, {}));
    }
    const std::string stringFileInfo = node("StringFileInfo", 1, {}, 0, padded(node("041504B0", 1, {}, 0, strings)));
    std::string translation;
    appendU16(translation, 0x0415);
    appendU16(translation, 1200);
    const std::string varFileInfo = node("VarFileInfo", 1, {}, 0, node("Translation", 0, translation, 4, {}));
    return node("VS_VERSION_INFO", 0, fixed, fixed.size(), padded(stringFileInfo) + varFileInfo);
}

void rewriteVersionInfo(std::string& image, const VersionInfo& info) {
    const auto span = findVersionResource(image);
    if (!span) throw VersionResourceError("the program has no version resource");
    const std::string block = encodeVersionInfo(info);
    if (block.size() > span->size)
        throw VersionResourceError("the version information needs " + std::to_string(block.size()) +
                                   " bytes, the program reserves " + std::to_string(span->size));
    image.replace(span->offset, span->size, block + std::string(span->size - block.size(), '\0'));
}

}  // namespace archive
