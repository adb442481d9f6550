// One line per fact, UTF-8, ending with a line of its own so a record cut short is never
// taken for a whole one. Member names cannot hold line breaks: the archive's safety rules
// refuse control characters in names.
#include "install/journal.h"

#include "host/host_layout.h"
#include "platform/concat.h"

namespace install {

namespace {

constexpr std::string_view kHeader = "LUMOR-DZIENNIK 1";
constexpr std::string_view kEnd = "koniec";

std::string text(const Journal& journal) {
    std::string out(kHeader);
    out += '\n';
    out += journal.stage == JournalStage::Committed ? "etap zatwierdzona\n" : "etap przygotowana\n";
    out += journal.userCatalog ? "katalog jest\n" : "katalog brak\n";
    out += journal.userCatalogReadOnly ? "tylko-do-odczytu tak\n" : "tylko-do-odczytu nie\n";
    for (const std::string& folder : journal.createdFolders) {
        out += "folder ";
        out += folder;
        out += '\n';
    }
    for (const JournalMember member : journal.members) {
        out += member.replaces ? "zastepuje " : "nowy ";
        out += member.name;
        out += '\n';
    }
    out += kEnd;
    out += '\n';
    return out;
}

bool startsWith(const std::string& line, std::string_view head, std::string& rest) {
    if (line.compare(0, head.size(), head) != 0) return false;
    rest = line.substr(head.size());
    return true;
}

}  // namespace

void writeJournal(platform::FileSystem& fs, const std::string& path, const Journal& journal) {
    const std::string partial = platform::concat({path, host::kPartialSuffix});
    if (fs.fileExists(partial) && !fs.deleteFile(partial))
        throw platform::FileError(partial, platform::concat({"cannot delete the unfinished record ", partial}));
    const std::string bytes = text(journal);
    try {
        auto file = fs.createNew(partial, platform::Sharing::ReadOnlyForOthers);
        file->writeAt(0, bytes.data(), bytes.size());
        file->flush();
    } catch (const platform::FileError&) {
        fs.deleteFile(partial);
        throw;
    }
    if (!fs.replaceFile(partial, path)) {
        fs.deleteFile(partial);
        throw platform::FileError(path, platform::concat({"cannot put the record in place: ", path}));
    }
}

std::optional<Journal> readJournal(platform::FileSystem& fs, const std::string& path) {
    std::string bytes;
    {
        auto file = fs.openRead(path, platform::Sharing::ReadOnlyForOthers);
        const std::int64_t size = file->size();
        // A record lists a package's files: far below this, whatever the package.
        if (size < 0 || size > (std::int64_t{64} << 20)) return std::nullopt;
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t got = file->readAt(static_cast<std::int64_t>(done), bytes.data() + done, bytes.size() - done);
            if (got == 0) return std::nullopt;
            done += got;
        }
    }
    Journal journal;
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) return std::nullopt;  // the last line is cut short
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 5 || lines.front() != kHeader || lines.back() != kEnd) return std::nullopt;
    const auto choice = [](const std::string& line, const char* yes, const char* no) -> std::optional<bool> {
        if (line == yes) return true;
        if (line == no) return false;
        return std::nullopt;
    };
    const auto committed = choice(lines[1], "etap zatwierdzona", "etap przygotowana");
    const auto catalog = choice(lines[2], "katalog jest", "katalog brak");
    const auto readOnly = choice(lines[3], "tylko-do-odczytu tak", "tylko-do-odczytu nie");
    if (!committed || !catalog || !readOnly) return std::nullopt;
    journal.stage = *committed ? JournalStage::Committed : JournalStage::Prepared;
    journal.userCatalog = *catalog;
    journal.userCatalogReadOnly = *readOnly;
    for (std::size_t i = 4; i + 1 < lines.size(); ++i) {
        std::string rest;
        if (startsWith(lines[i], "folder ", rest)) journal.createdFolders.push_back(rest);
        else if (startsWith(lines[i], "zastepuje ", rest)) journal.members.push_back({rest, true});
        else if (startsWith(lines[i], "nowy ", rest)) journal.members.push_back({rest, false});
        else return std::nullopt;
        if (rest.empty()) return std::nullopt;
    }
    return journal;
}

}  // namespace install
