// Duplicates are found on the output path as Windows sees it: separators unified and letters
// upcased as NTFS does, so "P\a.jpg" and "p/A.JPG", "Ł.jpg" and "ł.jpg" are one file there.
#include "archive/member_safety.h"

#include <algorithm>
#include <unordered_map>

#include "archive/partial_suffix.h"
#include "platform/unicode_case.h"

namespace archive {

namespace {

std::string reasonText(zip::NameProblem problem) {
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

}  // namespace

std::string unsafeNameMessage(const std::string& member, zip::NameProblem problem) {
    return "Niedozwolona nazwa pliku `" + member + "` w archiwum ZIP: " + reasonText(problem) + ".";
}

std::optional<std::string> packageNameRefusal(const std::string& folder, const std::string& member) {
    std::string reason;
    if (folder.find_first_of("/\\") != std::string::npos)
        reason = "nazwa zawiera separator";
    else if (auto problem = zip::checkMemberName(folder))
        reason = reasonText(*problem);
    else
        return std::nullopt;
    return "Niedozwolona nazwa katalogu paczki `" + folder + "` (plik `" + member + "` w archiwum ZIP): " +
           reason + ".";
}

void checkMemberNameSafe(const zip::Entry& entry) {
    if (auto problem = zip::checkEntryName(entry)) throw UnsafeArchive(unsafeNameMessage(entry.name, *problem));
}

void checkArchiveSafe(const zip::ZipReader& reader, const std::vector<std::string>& notWritten) {
    for (const zip::Entry& entry : reader.entries()) checkMemberNameSafe(entry);
    reader.checkAllMembers();
    std::unordered_map<std::string, bool> seen;  // output key -> is a folder entry
    for (const zip::Entry& entry : reader.entries()) {
        if (std::find(notWritten.begin(), notWritten.end(), entry.name) != notWritten.end()) continue;
        const auto [it, added] = seen.emplace(outputKey(entry.name), entry.isFolder());
        if (!added && !(it->second && entry.isFolder()))
            throw UnsafeArchive("Plik `" + entry.name + "` występuje w archiwum ZIP więcej niż raz.");
    }
    // A file is written under its temporary name first; a member of that name would be
    // overwritten, or would overwrite it.
    const std::string suffix = platform::fileNameCaseKey(kPartialSuffix);
    for (const zip::Entry& entry : reader.entries()) {
        if (entry.isFolder()) continue;
        const std::string key = outputKey(entry.name);
        if (key.size() > suffix.size() && key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0) {
            const auto owner = seen.find(key.substr(0, key.size() - suffix.size()));
            if (owner != seen.end() && !owner->second)
                throw UnsafeArchive("Plik `" + entry.name + "` w archiwum ZIP ma nazwę pliku tymczasowego, "
                                    "pod którą rozpakowywany jest inny plik archiwum.");
        }
    }
}

}  // namespace archive
