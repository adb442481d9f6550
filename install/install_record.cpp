// The record's text: a heading line, the fields, then one "plik:" line per file, and a last
// line with the count, so that a record cut short is never taken for a whole one.
#include "install/install_record.h"

#include <cstdlib>
#include <string>

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace install {

namespace {

constexpr std::string_view kHeading = "# Zapis instalacji pakietu katalogu CAD";

std::optional<InstalledFile> parseFile(std::string_view value) {
    // "<size> <crc, 8 hex digits> <name>"
    const std::size_t first = value.find(' ');
    if (first == std::string_view::npos || value.size() < first + 11 || value[first + 9] != ' ')
        return std::nullopt;
    InstalledFile file;
    const std::string size(value.substr(0, first)), crc(value.substr(first + 1, 8));
    char* end = nullptr;
    file.size = std::strtoull(size.c_str(), &end, 10);
    if (size.empty() || *end != '\0') return std::nullopt;
    file.crc32 = static_cast<std::uint32_t>(std::strtoul(crc.c_str(), &end, 16));
    if (*end != '\0') return std::nullopt;
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
