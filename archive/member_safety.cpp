// Duplicates are found on the output path as Windows sees it: separators unified and letters
// upcased as NTFS does, so "P\a.jpg" and "p/A.JPG", "Ł.jpg" and "ł.jpg" are one file there.
#include "archive/member_safety.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "archive/partial_suffix.h"
#include "platform/concat.h"
#include "platform/heap_sort.h"
#include "platform/unicode_case.h"

namespace archive {

namespace {

std::string_view reasonText(zip::NameProblem problem) {
    using zip::NameProblem;
    switch (problem) {
        case NameProblem::Empty: return "nazwa jest pusta";
        case NameProblem::InvalidEncoding: return "nazwa nie jest poprawnym tekstem UTF-8";
        case NameProblem::Absolute: return "nazwa zaczyna się od separatora";
        case NameProblem::Unc: return "nazwa jest ścieżką sieciową";
        case NameProblem::DriveLetter: return "nazwa zaczyna się od litery dysku";
        case NameProblem::ParentComponent: return "nazwa zawiera składnik \"..\"";
        case NameProblem::EmptyComponent: return "nazwa zawiera pusty składnik";
        case NameProblem::ControlCharacter: return "nazwa zawiera znak sterujący";
        case NameProblem::ForbiddenCharacter: return "nazwa zawiera znak niedozwolony w ścieżkach";
        case NameProblem::ReservedDeviceName: return "nazwa zawiera zastrzeżoną nazwę urządzenia";
        case NameProblem::TrailingDotOrSpace: return "składnik nazwy kończy się kropką lub spacją";
    }
    return "nazwa jest niebezpieczna";
}

std::string outputKey(const std::string& name) {
    std::string key;
    key.reserve(name.size());
    for (char c : name) {
        if (c == '/') c = '\\';
        key.push_back(c);
    }
    if (!key.empty() && key.back() == '\\') key.pop_back();
    return platform::fileNameCaseKey(key);
}

// The written members as (hash of their output key, position) pairs, for the duplicate checks:
// a few bytes per member where a set of the keys would hold every key's text. Keys are
// computed again only for members whose hashes meet. Positions are unique, so sorting the
// pairs gives one order whatever the sort.
using KeyHash = std::pair<std::uint64_t, std::size_t>;

// Refusals are thrown from here: each throw site is one call, with no temporaries of its own.
[[noreturn]] void refuse(std::initializer_list<std::string_view> sentence) {
    throw UnsafeArchive(platform::concat(sentence));
}

std::size_t hashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }

// The hash is not keyed, so an archive can be built with many names on one hash: within a run
// of equal hashes the keys are sorted once, never searched member by member, so such an
// archive costs a sort and not quadratic time.
class OutputKeys {
public:
    // `hashes` sorted.
    OutputKeys(const std::vector<zip::Entry>& entries, const std::vector<KeyHash>& hashes)
        : entries_(entries), hashes_(hashes) {
        for (std::size_t start = 0; start < hashes_.size();) {
            std::size_t end = start + 1;
            while (end < hashes_.size() && hashes_[end].first == hashes_[start].first) ++end;
            if (end - start > 1) {
                Run run{hashes_[start].first, {}};
                for (std::size_t k = start; k < end; ++k)
                    run.keys.emplace_back(outputKey(entries_[hashes_[k].second].name), hashes_[k].second);
                platform::heapSort(run.keys);
                runs_.push_back(std::move(run));
            }
            start = end;
        }
    }

    // For every member whose key an earlier member has: (the first member with it, this one).
    template <typename F>
    void forEachGroup(F&& each) const {
        for (const Run& run : runs_) {
            const auto& keys = run.keys;
            for (std::size_t k = 1, first = keys[0].second; k < keys.size(); ++k) {
                if (keys[k].first != keys[k - 1].first) first = keys[k].second;
                else each(first, keys[k].second);
            }
        }
    }

    // The first member (by position) whose key is `key`; nothing when none is.
    std::optional<std::size_t> firstWithKey(const std::string& key) const {
        const std::uint64_t hash = hashOf(key);
        const auto at = std::lower_bound(hashes_.begin(), hashes_.end(), KeyHash{hash, 0});
        if (at == hashes_.end() || at->first != hash) return std::nullopt;
        const auto run = std::lower_bound(runs_.begin(), runs_.end(), hash,
                                          [](const Run& r, std::uint64_t h) { return r.hash < h; });
        if (run == runs_.end() || run->hash != hash)
            return outputKey(entries_[at->second].name) == key ? std::optional(at->second) : std::nullopt;
        const auto found = std::lower_bound(run->keys.begin(), run->keys.end(), std::pair(key, std::size_t{0}));
        if (found == run->keys.end() || found->first != key) return std::nullopt;
        return found->second;
    }

private:
    // A run of members with one hash: their keys and positions, sorted.
    struct Run {
        std::uint64_t hash;
        std::vector<std::pair<std::string, std::size_t>> keys;
    };

    const std::vector<zip::Entry>& entries_;
    const std::vector<KeyHash>& hashes_;
    std::vector<Run> runs_;  // by hash, only runs of more than one member
};

}  // namespace

std::string unsafeNameMessage(const std::string& member, zip::NameProblem problem) {
    return platform::concat({"Niedozwolona nazwa pliku `", member, "` w archiwum ZIP: ", reasonText(problem), "."});
}

std::optional<std::string> packageNameRefusal(const std::string& folder, const std::string& member) {
    std::string_view reason;
    if (folder.find_first_of("/\\") != std::string::npos)
        reason = "nazwa zawiera separator";
    else if (auto problem = zip::checkMemberName(folder))
        reason = reasonText(*problem);
    else
        return std::nullopt;
    return platform::concat({"Niedozwolona nazwa katalogu paczki `", folder, "` (plik `", member, "` w archiwum ZIP): ",
                             reason, "."});
}

void checkMemberNameSafe(const zip::Entry& entry) {
    if (auto problem = zip::checkEntryName(entry)) throw UnsafeArchive(unsafeNameMessage(entry.name, *problem));
}

void checkArchiveSafe(const zip::ZipReader& reader, std::initializer_list<std::string_view> notWritten) {
    const std::vector<zip::Entry>& entries = reader.entries();
    for (const zip::Entry& entry : entries) checkMemberNameSafe(entry);
    reader.checkAllMembers();
    const auto written = [&](const zip::Entry& entry) {
        return std::find(notWritten.begin(), notWritten.end(), entry.name) == notWritten.end();
    };
    // Each written member's output key as a hash and its position, sorted: equal keys lie
    // within runs of equal hashes, where the keys themselves decide.
    std::vector<KeyHash> hashes;
    hashes.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (written(entries[i])) hashes.push_back({hashOf(outputKey(entries[i].name)), i});
    platform::heapSort(hashes);
    const OutputKeys keys(entries, hashes);

    // A member whose output path an earlier member has: refused unless both are folders.
    std::size_t firstDuplicate = entries.size();
    keys.forEachGroup([&](std::size_t first, std::size_t later) {
        if (!(entries[first].isFolder() && entries[later].isFolder())) firstDuplicate = std::min(firstDuplicate, later);
    });
    if (firstDuplicate < entries.size())
        refuse({"Plik `", entries[firstDuplicate].name, "` występuje w archiwum ZIP więcej niż raz."});

    // A file is written under its temporary name first; a member of that name would be
    // overwritten, or would overwrite it.
    const std::string suffix = platform::fileNameCaseKey(kPartialSuffix);
    for (const zip::Entry& entry : entries) {
        if (entry.isFolder()) continue;
        const std::string key = outputKey(entry.name);
        if (key.size() > suffix.size() && key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0) {
            const auto owner = keys.firstWithKey(key.substr(0, key.size() - suffix.size()));
            if (owner && !entries[*owner].isFolder())
                refuse({"Plik `", entry.name, "` w archiwum ZIP ma nazwę pliku tymczasowego, "
                                              "pod którą rozpakowywany jest inny plik archiwum."});
        }
    }
}

}  // namespace archive
