// pakiet verify INSTALLER: the trailer (signed or not), every safety check of the archive,
// every member's CRC, the package layout and the cover (a JPEG picture that leaves Close on
// common screens); a report in Polish, exit code 1 on any problem, warnings do not count.
#include <cstdio>
#include <string>

#include "archive/archive_file.h"
#include "archive/archive_messages.h"
#include "archive/authenticode_digest.h"
#include "archive/installer_trailer.h"
#include "archive/member_safety.h"
#include "archive/offset_field.h"
#include "archive/package_layout.h"
#include "host/host_layout.h"
#include "archive/zip/safe_name.h"
#include "archive/zip/zip_error.h"
#include "archive/zip/zip_reader.h"
#include "cli/command_usage.h"
#include "cli/archive_commands.h"
#include "cli/cover_check.h"
#include "cli/terminal_text.h"
#include "platform/file_system.h"

namespace cli {

namespace {

// Every structural and name problem of the archive, one line each; extraction to nowhere
// checks every member's data and CRC.
std::vector<std::string> archiveProblems(const zip::ZipReader& reader) {
    std::vector<std::string> problems;
    for (const zip::Entry& entry : reader.entries())
        if (auto problem = zip::checkEntryName(entry)) problems.push_back(archive::unsafeNameMessage(entry.name, *problem));
    try {
        // With sound names, also the rules across members (one file on NTFS, temporary names).
        if (problems.empty()) archive::checkArchiveSafe(reader);
        else reader.checkAllMembers();
    } catch (const archive::UnsafeArchive& error) {
        problems.push_back(error.what());
    } catch (const zip::ZipError& error) {
        problems.push_back(archive::messageFor(error));
        return problems;
    }
    for (std::size_t i = 0; i < reader.size(); ++i) {
        try {
            reader.extract(i, [](const char*, std::size_t) {});
        } catch (const zip::ZipError& error) {
            problems.push_back(archive::messageFor(error));
        }
    }
    return problems;
}

const char* digestName(archive::DigestKind kind) { return kind == archive::DigestKind::Sha1 ? "SHA-1" : "SHA-256"; }

// The signature's line, or its problem: only the digest is compared with the file.
void checkSignature(platform::ReadableFile& file, std::vector<std::string>& problems) {
    const archive::SignedDigestCheck check = archive::checkSignedDigest(file);
    const std::string digest = std::string("skrót ") + digestName(check.kind);
    switch (check.result) {
        case archive::SignedDigest::NoSignature: return;
        case archive::SignedDigest::Matches:
            std::printf("podpis: %s zapisany w podpisie zgadza się z plikiem (sprawdzono tylko skrót; "
                        "samego podpisu ani certyfikatów nie sprawdzono)\n", digest.c_str());
            return;
        case archive::SignedDigest::DiffersFromFile:
            problems.push_back("podpis Authenticode nie zgadza się z plikiem: " + digest +
                               " zapisany w podpisie jest inny niż skrót pliku (plik zmieniono po podpisaniu)");
            return;
        case archive::SignedDigest::Unreadable:
            problems.push_back("podpisu Authenticode nie da się sprawdzić: tabela certyfikatów nie zawiera "
                               "czytelnego podpisu PKCS#7 ze skrótem pliku");
            return;
        case archive::SignedDigest::UnknownAlgorithm:
            problems.push_back("podpisu Authenticode nie da się sprawdzić: skrót pliku liczony algorytmem innym niż "
                               "SHA-1 i SHA-256");
            return;
    }
}

// The cover `<package>.jpg` beside the package folder: a JPEG, within the size bound (refused
// before a byte of it is read), that leaves Close on common screens.
void checkCoverMember(const zip::ZipReader& reader, const std::string& package, std::vector<std::string>& problems,
                      std::vector<std::string>& warnings) {
    const std::ptrdiff_t cover = reader.find(package + ".jpg");
    const zip::Entry* coverEntry = cover >= 0 ? &reader.entries()[static_cast<std::size_t>(cover)] : nullptr;
    if (coverEntry && coverEntry->name != package + ".jpg") coverEntry = nullptr;
    const auto tooLarge = coverEntry ? coverFileSizeProblem(coverEntry->name, coverEntry->uncompressedSize) : std::nullopt;
    if (tooLarge) {
        problems.push_back(*tooLarge);  // refused before a byte of it is read
    } else if (coverEntry) {
        std::string picture;
        bool whole = true;
        try {
            // The reader holds the member to its stated size; the bound is kept anyway.
            reader.extract(static_cast<std::size_t>(cover), [&picture, &whole](const char* data, std::size_t count) {
                if (picture.size() + count > kMaxCoverBytes) whole = false;
                else picture.append(data, count);
            });
        } catch (const zip::ZipError&) {
            whole = false;  // already reported with the other members
        }
        if (!archive::looksLikeJpeg(picture.substr(0, 3))) {
            problems.push_back("okładka `" + package + ".jpg` nie jest obrazem JPEG");
        } else if (whole) {
            CoverCheck check = checkCover(package + ".jpg", picture);
            problems.insert(problems.end(), check.problems.begin(), check.problems.end());
            warnings.insert(warnings.end(), check.warnings.begin(), check.warnings.end());
        }
    }
}

// The archive as the installer reads it: names, structure and CRCs, the package layout, the
// names the installation reserves, and the cover.
void checkPackageArchive(const zip::ZipReader& reader, std::vector<std::string>& problems,
                         std::vector<std::string>& warnings) {
    std::printf("pliki w archiwum: %zu\n", reader.size());
    if (reader.baseOffset() != 0) problems.push_back("archiwum nie zaczyna się od pozycji podanej w zakończeniu");
    for (const std::string& p : archiveProblems(reader)) problems.push_back(p);
    std::vector<std::string> names;
    for (const zip::Entry& entry : reader.entries()) names.push_back(entry.name);
    std::string package;
    for (const std::string& p : archive::packageLayoutProblems(names, &package)) problems.push_back(p);
    for (const std::string& name : names)
        if (auto refusal = host::reservedMemberRefusal(name, package)) problems.push_back(escapedForTerminal(*refusal));
    if (!package.empty()) {
        std::printf("paczka: %s\n", escapedForTerminal(package).c_str());
        checkCoverMember(reader, package, problems, warnings);
    }
}

}  // namespace

int runVerify(const Args& args) {
    if (args.empty()) return usageError("verify", "nie podano instalatora");
    if (args.size() > 1) return usageError("verify", "podaj jeden instalator (nadmiarowy argument `" + args[1] + "`)");
    platform::FileSystem& fs = platform::realFileSystem();
    auto file = fs.openRead(args[0], platform::Sharing::ReadOnlyForOthers);
    const archive::TrailerLocation where = archive::locateTrailer(*file);
    std::printf("plik: %s, %lld bajtów%s\n", escapedForTerminal(args[0]).c_str(), static_cast<long long>(where.fileSize),
                where.signedFile ? ", z tabelą certyfikatów (Authenticode)" : ", niepodpisany");
    if (where.fieldEnd < static_cast<std::int64_t>(archive::kOffsetFieldSize)) {
        std::printf("problem: plik jest za krótki, by mieć zakończenie instalatora\n");
        return 1;
    }
    std::string field(archive::kOffsetFieldSize, '\0');
    file->readAt(where.fieldEnd - static_cast<std::int64_t>(field.size()), field.data(), field.size());
    const auto offset = archive::parseOffsetField(field);
    const std::int64_t fieldStart = where.fieldEnd - static_cast<std::int64_t>(archive::kOffsetFieldSize);
    if (!offset || *offset <= 0 || *offset >= fieldStart) {
        std::printf("problem: pole pozycji `%s` nie wskazuje archiwum w pliku\n", escapedForTerminal(field).c_str());
        return 1;
    }
    std::printf("archiwum: od pozycji %lld, %lld bajtów\n", static_cast<long long>(*offset), static_cast<long long>(fieldStart - *offset));

    std::vector<std::string> problems;
    std::vector<std::string> warnings;
    checkSignature(*file, problems);
    char bom[3] = {};
    if (file->readAt(fieldStart - 3, bom, 3) != 3 || std::string(bom, 3) != "\xEF\xBB\xBF")
        problems.push_back("brak znacznika kolejności bajtów przed polem pozycji");
    try {
        zip::ZipReader reader(zip::regionSource(archive::fileSource(*file), static_cast<std::uint64_t>(*offset),
                                                static_cast<std::uint64_t>(fieldStart - *offset)));
        checkPackageArchive(reader, problems, warnings);
    } catch (const zip::ZipError& error) {
        problems.push_back("nie można odczytać archiwum: " + archive::messageFor(error));
    }
    for (const std::string& w : warnings) std::printf("%s\n", escapedForTerminal(w).c_str());
    for (const std::string& p : problems) std::printf("problem: %s\n", escapedForTerminal(p).c_str());
    std::printf(problems.empty() ? "ok\n" : "problemów: %zu\n", problems.size());
    return problems.empty() ? 0 : 1;
}

}  // namespace cli
