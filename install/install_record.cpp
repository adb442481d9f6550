// The record's text: a heading line, the fields, then one "plik:" line per file, and a last
// line with the count, so that a record cut short is never taken for a whole one.
#include "install/install_record.h"

#include <cstdint>
#include <string>

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace install {

namespace {

constexpr std::string_view kHeading = "# Zapis instalacji pakietu katalogu CAD";

// Digits alone in `base` (10 or 16), as formatInstallRecord writes them, within 64 bits; no
// sign, space or overflow that strtoull would let through, and none of its C runtime code.
std::optional<std::uint64_t> parseDigits(std::string_view digits, unsigned base) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t n = 0;
    for (const char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
        if (n > (UINT64_MAX - digit) / base) return std::nullopt;
        n = n * base + digit;
    }
    return n;
}

std::optional<InstalledFile> parseFile(std::string_view value) {
    // "<size> <crc, 8 hex digits> <name>"
    const std::size_t first = value.find(' ');
    if (first == std::string_view::npos || value.size() < first + 11 || value[first + 9] != ' ')
        return std::nullopt;
    const std::optional<std::uint64_t> size = parseDigits(value.substr(0, first), 10);
    const std::optional<std::uint64_t> crc = parseDigits(value.substr(first + 1, 8), 16);
    if (!size || !crc) return std::nullopt;
    InstalledFile file;
    file.size = *size;
    file.crc32 = static_cast<std::uint32_t>(*crc);
    file.name = std::string(value.substr(first + 10));
    return file;
}

// No printf: the stub would carry the C runtime's whole formatter for one number.
void appendHex8(std::string& text, std::uint32_t value) {
    char digits[8];
    for (int i = 7; i >= 0; --i, value >>= 4) digits[i] = "0123456789abcdef"[value & 15];
    text.append(digits, sizeof digits);
}

}  // namespace

std::string formatInstallRecord(const InstallRecord& record) {
    std::string text = platform::concat({kHeading, "\r\npakiet: ", record.packageName, "\r\nwersja pakietu: ",
                                         record.packageVersion, "\r\ninstalator: ", record.installerVersion,
                                         "\r\ndata: ", record.dateTime});
    for (const InstalledFile& file : record.files) {
        text += "\r\nplik: ";
        text += platform::DecimalPiece(file.size);
        text += ' ';
        appendHex8(text, file.crc32);
        text += ' ';
        text += file.name;
    }
    text += "\r\nplików: ";
    text += platform::DecimalPiece(record.files.size());
    text += "\r\n";
    return text;
}

std::optional<InstallRecord> parseInstallRecord(std::string_view text) {
    InstallRecord record;
    const std::pair<std::string_view, std::string*> fields[] = {
        {"pakiet", &record.packageName},
        {"wersja pakietu", &record.packageVersion},
        {"instalator", &record.installerVersion},
        {"data", &record.dateTime},
    };
    bool headed = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;  // the last line is whole
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!headed) {
            if (line != kHeading) return std::nullopt;
            headed = true;
            continue;
        }
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, colon), value = line.substr(colon + 2);
        if (key == "plik") {
            auto file = parseFile(value);
            if (!file) return std::nullopt;
            record.files.push_back(std::move(*file));
        } else if (key == "plików") {
            if (value != std::string_view(platform::DecimalPiece(record.files.size())) || !text.empty()) return std::nullopt;
            return record;
        }
        for (const auto& [name, field] : fields)
            if (key == name) *field = value;
        // Other keys are skipped: a later installer may add fields.
    }
    return std::nullopt;
}

void writeInstallRecord(platform::FileSystem& fs, const std::string& path, const InstallRecord& record) {
    // Written in place: a record cut short (a crash, a full disk) lacks its count line and is
    // read as none, and no temporary file of another name is ever left behind.
    const std::string text = formatInstallRecord(record);
    auto file = fs.createWrite(path);
    file->write(text.data(), text.size());
    file->close();
}

std::optional<InstallRecord> readInstallRecord(platform::FileSystem& fs, const std::string& path) {
    if (!fs.fileExists(path)) return std::nullopt;
    auto file = fs.openRead(path, platform::Sharing::ReadWriteForOthers);
    const std::int64_t size = file->size();
    if (size > (64 << 20)) return std::nullopt;  // no record of ours is that long
    std::string text(static_cast<std::size_t>(size), '\0');
    if (file->readAt(0, text.data(), text.size()) != text.size()) return std::nullopt;
    return parseInstallRecord(text);
}

}  // namespace install
