// pakiet build: stub + package folder P (with P\dodatki.mdb), its cover P.jpg beside it,
// optionally P.txt and extra root files or folders -> one installer. The layout is checked
// before anything is written; the archive is reproducible (sorted names, fixed timestamps).
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

#include "archive/member_safety.h"
#include "archive/offset_field.h"
#include "archive/package_layout.h"
#include "host/host_layout.h"
#include "archive/pe_certificate_table.h"
#include "archive/zip/cp437.h"
#include "archive/zip/safe_name.h"
#include "archive/zip/zip_writer.h"
#include "cli/archive_commands.h"
#include "cli/catalog_check.h"
#include "cli/cli_files.h"
#include "cli/cover_check.h"
#include "cli/terminal_text.h"
#include "platform/ascii_case.h"

namespace fs = std::filesystem;

namespace cli {

namespace {

const char* const kBuildUsage =
    "użycie: pakiet build --stub INSTALATOR.exe --package KAT/P [--extra PLIK_LUB_KATALOG]... [--output WYJ.exe]\n"
    "  KAT/P      katalog paczki z plikiem dodatki.mdb; KAT/P.jpg to okładka, KAT/P.txt jest opcjonalny\n"
    "  --extra    plik lub katalog instalowany obok paczki (można powtarzać)\n"
    "  --output   instalator do zapisania (domyślnie P.exe w bieżącym katalogu)\n";

struct BuildOptions {
    std::string stub, package, output;
    std::vector<std::string> extras;
};

bool parseOptions(const Args& args, BuildOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return false;
        const std::string& value = args[++i];
        if (a == "--stub") options.stub = value;
        else if (a == "--package") options.package = value;
        else if (a == "--output") options.output = value;
        else if (a == "--extra") options.extras.push_back(value);
        else return false;
    }
    return !options.stub.empty() && !options.package.empty();
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
    if (!holdsExactly(folder, "dodatki.mdb")) {
        problems.push_back("katalog paczki `" + package + "` nie zawiera bazy o nazwie dokładnie `dodatki.mdb`");
    } else {
        for (const std::string& problem : catalogProblems(utf8FromPath(folder / "dodatki.mdb")))
            problems.push_back("`" + package + "\\dodatki.mdb`: " + problem);
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
    const auto isCatalog = [&](const Member& m) { return m.name == package + "\\dodatki.mdb"; };
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

// Files up to this size are read whole and compressed once; a larger one is read twice
// (sizes and CRC first, then the data), so memory stays flat. Both give the same bytes.
constexpr std::uintmax_t kWholeFileLimit = 64u << 20;

void addMember(zip::ZipWriter& writer, const Member& m) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(m.file, ec);
    if (ec || size <= kWholeFileLimit) return writer.add(m.name, readWholeFile(m.file));
    try {
        writer.addReplayed(m.name, [&](const std::function<void(std::string_view)>& take) {
        std::ifstream in(m.file, std::ios::binary);
        if (!in) throw std::runtime_error("nie można otworzyć pliku `" + utf8FromPath(m.file) + "`");
        std::string buffer(1u << 20, '\0');
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
            take(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
        if (in.bad()) throw std::runtime_error("błąd odczytu pliku `" + utf8FromPath(m.file) + "`");
        });
    } catch (const zip::MemberChanged&) {
        throw std::runtime_error("plik `" + utf8FromPath(m.file) + "` zmienił się w trakcie budowania paczki");
    }
}

}  // namespace

int runBuild(const Args& args) {
    BuildOptions options;
    if (!parseOptions(args, options)) {
        std::fputs(kBuildUsage, stderr);
        return 2;
    }
    std::vector<std::string> problems;
    const std::string stub = readWholeFile(pathFromUtf8(options.stub));
    if (stub.empty()) problems.push_back("program startowy `" + options.stub + "` jest pusty");
    if (alreadyAnInstaller(stub)) problems.push_back("program startowy `" + options.stub + "` zawiera już paczkę; użyj czystego instalator.exe");
    if (alreadySigned(stub))
        problems.push_back("program startowy `" + options.stub + "` jest podpisany (Authenticode); dopisana paczka " +
                           "unieważniłaby podpis: użyj niepodpisanego instalator.exe i podpisz gotowy instalator");
    std::vector<std::string> warnings;
    const std::vector<Member> members = planMembers(options, problems, warnings);
    checkNames(members, problems);
    for (const std::string& w : warnings) std::fprintf(stderr, "pakiet build: %s\n", escapedForTerminal(w).c_str());
    if (!problems.empty()) {
        std::fprintf(stderr, "pakiet build: nie można zbudować paczki:\n");
        for (const std::string& p : problems) std::fprintf(stderr, "  - %s\n", escapedForTerminal(p).c_str());
        return 1;
    }

    fs::path folder = pathFromUtf8(options.package).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    const fs::path output = options.output.empty() ? fs::path(folder.filename()).concat(".exe") : pathFromUtf8(options.output);
    const fs::path partial = fs::path(output).concat(".part");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("nie można utworzyć pliku `" + utf8FromPath(partial) + "`");
        out.write(stub.data(), static_cast<std::streamsize>(stub.size()));
        zip::ZipWriter writer([&out](const char* data, std::size_t count) { out.write(data, static_cast<std::streamsize>(count)); });
        for (const Member& m : members) addMember(writer, m);
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
