// pakiet build: stub (given, or installed with pakiet) + package folder P (with
// P\dodatki.mdb), its cover P.jpg beside it, optionally P.txt and extra root files or folders
// -> one installer. The layout is checked before anything is written; the archive is
// reproducible (sorted names, one timestamp).
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "archive/member_safety.h"
#include "archive/offset_field.h"
#include "archive/package_folders.h"
#include "archive/package_layout.h"
#include "host/host_layout.h"
#include "archive/pe_certificate_table.h"
#include "archive/pe_version_resource.h"
#include "archive/zip/cp437.h"
#include "archive/zip/dos_time.h"
#include "archive/zip/safe_name.h"
#include "archive/zip/zip_writer.h"
#include "cli/archive_commands.h"
#include "cli/catalog_check.h"
#include "cli/cli_files.h"
#include "cli/command_usage.h"
#include "cli/cover_check.h"
#include "cli/installed_stub.h"
#include "cli/progress_line.h"
#include "cli/terminal_text.h"
#include "platform/ascii_case.h"
#include "platform/source_date.h"
#include "platform/system.h"

namespace fs = std::filesystem;

namespace cli {

namespace {

struct BuildOptions {
    std::string stub = "x86_64", package, output, version, publisher;
    std::vector<std::string> extras;
};

// The options into `options`; the reason when they are not usable.
std::optional<std::string> parseOptions(const Args& args, BuildOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--stub" && a != "--package" && a != "--output" && a != "--extra" && a != "--version" &&
            a != "--publisher")
            return a.rfind("-", 0) == 0 ? "nieznana opcja " + a : "nadmiarowy argument `" + a + "` (katalog paczki podaje się po --package)";
        if (i + 1 >= args.size()) return a + " wymaga wartości";
        const std::string& value = args[++i];
        if (a == "--stub") options.stub = value;
        else if (a == "--package") options.package = value;
        else if (a == "--output") options.output = value;
        else if (a == "--version") options.version = value;
        else if (a == "--publisher") options.publisher = value;
        else options.extras.push_back(value);
    }
    if (options.package.empty()) return std::string("nie podano katalogu paczki (--package KAT/P)");
    if (!options.publisher.empty() && options.version.empty())
        return std::string("--publisher wymaga --version");
    return std::nullopt;
}

// The stub file: a path as given, or the installed stub of an architecture next to pakiet.
std::optional<fs::path> stubFile(const std::string& stub, std::vector<std::string>& problems) {
    if (!isStubArchitecture(stub)) return pathFromUtf8(stub);
    const fs::path executable = pathFromUtf8(platform::realSystem().executablePath());
    if (auto found = findInstalledStub(stub, executable)) return found;
    std::string searched;
    for (const fs::path& folder : stubFolders(executable)) searched += (searched.empty() ? "`" : ", `") + utf8FromPath(folder) + "`";
    problems.push_back("nie znaleziono programu startowego instalator-" + stub + ".exe (szukano w " + searched +
                       "); podaj plik: --stub INSTALATOR.exe");
    return std::nullopt;
}

// The built installer's version resource: the package's name and version (also as the
// file's numeric version, which detection rules compare), the publisher, and the stub's own
// version kept as a comment. Written into the space the stub reserves, before any signing.
void stampPackageVersion(std::string& stub, const BuildOptions& options, const std::string& packageName,
                         const std::string& outputName, std::vector<std::string>& problems) {
    const auto numbers = archive::parseVersionNumbers(options.version);
    if (!numbers) {
        problems.push_back("wersja `" + options.version + "` nie ma postaci X.Y.Z (liczby do 65535)");
        return;
    }
    const auto own = archive::readVersionInfo(stub);
    if (!own) {
        problems.push_back("program startowy nie ma zasobu wersji; użyj instalator.exe z wydania");
        return;
    }
    archive::VersionInfo info;
    info.fileVersion = info.productVersion = *numbers;
    info.strings = {
        {"CompanyName", options.publisher.empty() ? own->string("CompanyName").value_or("") : options.publisher},
        {"FileDescription", "Instalator pakietu " + packageName},
        {"FileVersion", options.version},
        {"InternalName", "instalator"},
        {"OriginalFilename", outputName},
        {"ProductName", packageName},
        {"ProductVersion", options.version},
        {"Comments", "instalator " + own->string("ProductVersion").value_or("")},
    };
    try {
        archive::rewriteVersionInfo(stub, info);
    } catch (const archive::VersionResourceError&) {
        problems.push_back("nazwa paczki i wydawca są za długie dla zasobu wersji programu startowego");
    }
}

struct Member {
    std::string name;  // as stored, '\' separators
    fs::path file;
};

// Regular files below `folder`, named prefix + relative path with '\'; problems for links and
// names that are not UTF-8.
void collectFolder(const fs::path& folder, const std::string& prefix, std::vector<Member>& members,
                   std::vector<std::string>& problems) {
    std::error_code ec;
    std::vector<Member> found;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(folder);
        std::string name = prefix;
        for (const auto& part : relative) name += (name.size() > prefix.size() ? "\\" : "") + utf8FromPath(part);
        if (it->is_symlink()) {
            problems.push_back("`" + utf8FromPath(it->path()) + "` jest dowiązaniem; paczka zawiera tylko zwykłe pliki");
            it.disable_recursion_pending();
        } else if (it->is_regular_file()) {
            found.push_back({name, it->path()});
        }
    }
    if (ec) problems.push_back("nie można odczytać zawartości katalogu `" + utf8FromPath(folder) + "` (" + ec.message() + ")");
    std::sort(found.begin(), found.end(), [](const Member& a, const Member& b) { return a.name < b.name; });
    members.insert(members.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}

// True when `folder` holds an entry named exactly `name` (the check is case-sensitive even on
// file systems that are not).
bool holdsExactly(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec))
        if (utf8FromPath(item.path().filename()) == name) return true;
    return false;
}

std::vector<Member> planMembers(const BuildOptions& options, std::vector<std::string>& problems,
                                std::vector<std::string>& warnings) {
    const fs::path packageFolder = pathFromUtf8(options.package).lexically_normal();
    fs::path folder = packageFolder;
    if (folder.filename().empty()) folder = folder.parent_path();
    const std::string package = utf8FromPath(folder.filename());
    const fs::path root = folder.parent_path().empty() ? fs::path(".") : folder.parent_path();
    std::vector<Member> members;
    if (!fs::is_directory(folder)) {
        problems.push_back("katalog paczki `" + options.package + "` nie istnieje");
        return members;
    }
    const std::string catalogMember = archive::catalogMemberOf(package);
    if (!holdsExactly(folder, std::string(host::kCatalogName))) {
        problems.push_back("katalog paczki `" + package + "` nie zawiera bazy o nazwie dokładnie `dodatki.mdb`");
    } else {
        for (const std::string& problem : catalogProblems(utf8FromPath(folder / std::string(host::kCatalogName))))
            problems.push_back("`" + catalogMember + "`: " + problem);
    }
    if (!holdsExactly(root, package + ".jpg")) {
        problems.push_back("brak okładki `" + package + ".jpg` obok katalogu paczki (w `" + utf8FromPath(root) + "`)");
    } else {
        const fs::path coverFile = root / pathFromUtf8(package + ".jpg");
        std::error_code ec;
        const std::uintmax_t coverSize = fs::file_size(coverFile, ec);
        const auto tooLarge = ec ? std::nullopt : coverFileSizeProblem(package + ".jpg", coverSize);
        const std::string picture = tooLarge ? std::string() : readWholeFile(coverFile);
        if (tooLarge) {
            problems.push_back(*tooLarge);
        } else if (!archive::looksLikeJpeg(picture.substr(0, 3))) {
            problems.push_back("okładka `" + package + ".jpg` nie jest obrazem JPEG");
        } else {
            CoverCheck cover = checkCover(package + ".jpg", picture);
            problems.insert(problems.end(), cover.problems.begin(), cover.problems.end());
            warnings.insert(warnings.end(), cover.warnings.begin(), cover.warnings.end());
        }
    }

    std::vector<Member> inPackage;
    collectFolder(folder, package + "\\", inPackage, problems);
    // The catalog goes last, as in the packages the publisher has always shipped.
    std::vector<Member> catalog;
    const auto isCatalog = [&](const Member& m) { return m.name == catalogMember; };
    std::copy_if(inPackage.begin(), inPackage.end(), std::back_inserter(catalog), isCatalog);
    inPackage.erase(std::remove_if(inPackage.begin(), inPackage.end(), isCatalog), inPackage.end());
    members = std::move(inPackage);  // 100,000 paths are worth not copying
    if (holdsExactly(root, package + ".txt")) members.push_back({package + ".txt", root / pathFromUtf8(package + ".txt")});
    if (holdsExactly(root, package + ".jpg")) members.push_back({package + ".jpg", root / pathFromUtf8(package + ".jpg")});
    for (const std::string& extra : options.extras) {
        const fs::path path = pathFromUtf8(extra);
        const std::string name = utf8FromPath(path.lexically_normal().filename());
        if (fs::is_directory(path)) collectFolder(path, name + "\\", members, problems);
        else if (fs::is_regular_file(path)) members.push_back({name, path});
        else problems.push_back("dodatkowy plik `" + extra + "` nie istnieje");
    }
    members.insert(members.end(), catalog.begin(), catalog.end());
    return members;
}

void checkNames(const std::vector<Member>& members, std::vector<std::string>& problems) {
    std::set<std::string> seen;
    std::vector<std::string> names;
    for (const Member& m : members) {
        names.push_back(m.name);
        if (!zip::isValidUtf8(m.name)) {
            problems.push_back("nazwa `" + m.name + "` nie jest tekstem UTF-8");
            continue;
        }
        if (auto problem = zip::checkMemberName(m.name)) problems.push_back(archive::unsafeNameMessage(m.name, *problem));
        if (!seen.insert(platform::asciiLowered(m.name)).second) problems.push_back("`" + m.name + "` występuje dwa razy (nazwy różnią się tylko wielkością liter)");
    }
    std::string package;
    for (const std::string& problem : archive::packageLayoutProblems(names, &package)) problems.push_back(problem);
    for (const std::string& name : names)
        if (auto refusal = host::reservedMemberRefusal(name, package)) problems.push_back(*refusal);
}

bool alreadyAnInstaller(const std::string& stub) {
    if (stub.size() < archive::kOffsetFieldSize) return false;
    const auto offset = archive::parseOffsetField(std::string_view(stub).substr(stub.size() - archive::kOffsetFieldSize));
    return offset && *offset > 0;
}

// A signature covers the file as it was signed: the archive appended after it would leave an
// installer whose signature no longer matches. Signing is the last step, after build.
bool alreadySigned(const std::string& stub) {
    const auto fields = archive::readPeSignatureFields(std::string_view(stub).substr(0, archive::kPeHeaderSpan));
    return fields && fields->table.size != 0;
}

// Members carry one time, not their files' own: SOURCE_DATE_EPOCH when set, else the
// writer's fixed 1980-01-01, so a package built twice gives the same installer.
zip::MemberOptions memberOptions() {
    zip::MemberOptions options;
    const platform::SourceDate fixed = platform::sourceDate();
    if (fixed.state == platform::SourceDate::State::Valid) {
        const zip::DosTime dos = zip::dosTimeFromUnix(fixed.seconds);
        options.modTime = dos.time;
        options.modDate = dos.date;
    }
    return options;
}

// Files up to this size are read whole and compressed once; a larger one is read twice
// (sizes and CRC first, then the data), so memory stays flat. Both give the same bytes.
constexpr std::uintmax_t kWholeFileLimit = 64u << 20;

void addMember(zip::ZipWriter& writer, const Member& m, const zip::MemberOptions& options) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(m.file, ec);
    if (ec || size <= kWholeFileLimit) return writer.add(m.name, readWholeFile(m.file), options);
    try {
        const auto replay = [&](const std::function<void(std::string_view)>& take) {
            std::ifstream in(m.file, std::ios::binary);
            if (!in) throw std::runtime_error("nie można otworzyć pliku `" + utf8FromPath(m.file) + "`");
            std::string buffer(1u << 20, '\0');
            while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
                take(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
            if (in.bad()) throw std::runtime_error("błąd odczytu pliku `" + utf8FromPath(m.file) + "`");
        };
        writer.addReplayed(m.name, replay, options);
    } catch (const zip::MemberChanged&) {
        throw std::runtime_error("plik `" + utf8FromPath(m.file) + "` zmienił się w trakcie budowania paczki");
    }
}

}  // namespace

int runBuild(const Args& args) {
    BuildOptions options;
    if (const auto problem = parseOptions(args, options)) return usageError("build", *problem);
    std::vector<std::string> problems;
    const std::optional<fs::path> stubPath = stubFile(options.stub, problems);
    if (!stubPath) {
        std::fprintf(stderr, "pakiet build: %s\n", escapedForTerminal(problems.front()).c_str());
        return 1;
    }
    std::string stub = readWholeFile(*stubPath);
    const std::string stubName = utf8FromPath(*stubPath);
    if (stub.empty()) problems.push_back("program startowy `" + stubName + "` jest pusty");
    if (alreadyAnInstaller(stub)) problems.push_back("program startowy `" + stubName + "` zawiera już paczkę; użyj czystego instalator.exe");
    if (alreadySigned(stub))
        problems.push_back("program startowy `" + stubName + "` jest podpisany (Authenticode); dopisana paczka " +
                           "unieważniłaby podpis: użyj niepodpisanego instalator.exe i podpisz gotowy instalator");
    fs::path folder = pathFromUtf8(options.package).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    const fs::path output = options.output.empty() ? fs::path(folder.filename()).concat(".exe") : pathFromUtf8(options.output);
    if (!options.version.empty() && problems.empty())
        stampPackageVersion(stub, options, utf8FromPath(folder.filename()), utf8FromPath(output.filename()), problems);
    std::vector<std::string> warnings;
    const std::vector<Member> members = planMembers(options, problems, warnings);
    checkNames(members, problems);
    for (const std::string& w : warnings) std::fprintf(stderr, "pakiet build: %s\n", escapedForTerminal(w).c_str());
    if (!problems.empty()) {
        std::fprintf(stderr, "pakiet build: nie można zbudować paczki:\n");
        for (const std::string& p : problems) std::fprintf(stderr, "  - %s\n", escapedForTerminal(p).c_str());
        return 1;
    }

    const fs::path partial = fs::path(output).concat(".part");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("nie można utworzyć pliku `" + utf8FromPath(partial) + "`");
        out.write(stub.data(), static_cast<std::streamsize>(stub.size()));
        zip::ZipWriter writer([&out](const char* data, std::size_t count) { out.write(data, static_cast<std::streamsize>(count)); });
        const zip::MemberOptions stamped = memberOptions();
        ProgressLine progress = ProgressLine::onStandardError();
        for (std::size_t i = 0; i < members.size(); ++i) {
            progress.percent("Budowanie instalatora", i, members.size());
            addMember(writer, members[i], stamped);
        }
        progress.clear();
        writer.finish();
        out << "\xEF\xBB\xBF" << archive::formatOffsetField(static_cast<std::int64_t>(stub.size()));
        out.close();
        if (!out) throw std::runtime_error("błąd zapisu pliku `" + utf8FromPath(partial) + "`");
        std::printf("plików w archiwum: %zu, archiwum: %llu bajtów od pozycji %zu\n", members.size(),
                    static_cast<unsigned long long>(writer.bytesWritten()), stub.size());
    }
    fs::rename(partial, output);
    std::printf("zapisano %s\n", utf8FromPath(output).c_str());
    return 0;
}

}  // namespace cli
