// `pakiet catalog create|import`: an empty catalog of the installer's schema, and rows
// appended from a CSV file, for publishers who keep their catalogs in spreadsheets.
#include <cstdio>
#include <optional>

#include "catalog/catalog_creation.h"
#include "catalog/catalog_error.h"
#include "catalog/csv_import.h"
#include "cli/catalog_command.h"
#include "cli/command_usage.h"
#include "cli/console_log.h"
#include "cli/polish_plural.h"
#include "cli/progress_line.h"
#include "platform/ascii_case.h"
#include "platform/file_system.h"

namespace cli {

namespace {

std::optional<char> separatorFromText(const std::string& text) {
    if (text == "," || text == ";") return text[0];
    if (text == "tab" || text == "\t") return '\t';
    return std::nullopt;
}

std::optional<catalog::CsvEncoding> encodingFromText(const std::string& text) {
    const std::string lowered = platform::asciiLowered(text);
    if (lowered == "utf-8" || lowered == "utf8") return catalog::CsvEncoding::Utf8;
    if (lowered == "windows-1250" || lowered == "cp1250") return catalog::CsvEncoding::Windows1250;
    return std::nullopt;
}

std::string encodingText(const catalog::CsvImportSummary& summary) {
    std::string text(catalog::encodingName(summary.encoding));
    if (summary.byteOrderMark) text += " ze znacznikiem BOM";
    return text + (summary.encodingDetected ? " (rozpoznane)" : " (podane)");
}

std::string separatorText(const catalog::CsvImportSummary& summary) {
    const char* name = summary.separator == ';' ? "średnik" : summary.separator == '\t' ? "tabulator" : "przecinek";
    return std::string(name) + (summary.separatorDetected ? " (rozpoznany z nagłówka)" : " (podany)");
}

// The CSV file as the import reads it, drawing how far it got. Detecting the format reads
// the file once before the rows are read: a read from the start again begins the import.
class FileWithProgress : public platform::ReadableFile {
public:
    FileWithProgress(platform::ReadableFile& inner, ProgressLine& progress)
        : platform::ReadableFile(inner.path()), inner_(inner), progress_(progress), size_(inner.size()) {}
    std::int64_t size() override { return size_; }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        if (offset == 0 && readBefore_) importing_ = true;
        const std::size_t got = inner_.readAt(offset, buffer, count);
        readBefore_ = true;
        progress_.percent(importing_ ? "Import wierszy" : "Rozpoznawanie pliku CSV",
                          static_cast<std::uint64_t>(offset) + got, static_cast<std::uint64_t>(size_));
        return got;
    }

private:
    platform::ReadableFile& inner_;
    ProgressLine& progress_;
    const std::int64_t size_;
    bool readBefore_ = false, importing_ = false;
};

}  // namespace

int catalogCreate(const Args& args) {
    std::vector<std::string> positional;
    bool force = false, verbose = false;
    for (const auto& a : args) {
        if (a == "--force") force = true;
        else if (a == "--verbose") verbose = true;
        else positional.push_back(a);
    }
    if (positional.empty()) return usageError("catalog create", "nie podano pliku");
    if (positional.size() > 1) return usageError("catalog create", "nadmiarowy argument `" + positional[1] + "`");
    const std::string& file = positional[0];
    platform::FileSystem& files = platform::realFileSystem();
    // A publisher's existing catalog is not replaced unless asked for.
    if (files.fileExists(file) && !force) {
        std::fprintf(stderr, "pakiet catalog create: plik %s już istnieje (--force zastępuje go)\n", file.c_str());
        return 1;
    }
    // Messages to the user on standard error; trace lines only with --verbose.
    ConsoleLog log(stderr, verbose ? session::LogLevel::Debug : session::LogLevel::Normal);
    catalog::CatalogCreation creation(log, files);
    if (!creation.MDBCreate(file)) return 1;
    std::printf("Utworzono pusty katalog %s (tabele info_producent i Dodatki).\n", file.c_str());
    return 0;
}

int catalogImport(const Args& args) {
    std::vector<std::string> positional;
    std::string csvPath;
    catalog::CsvFormat format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--csv" || a == "--separator" || a == "--encoding";
        if (takesValue && i + 1 >= args.size()) return usageError("catalog import", a + " wymaga wartości");
        if (a == "--csv") {
            csvPath = args[++i];
        } else if (a == "--separator") {
            const auto separator = separatorFromText(args[++i]);
            if (!separator) return usageError("catalog import", "separator `" + args[i] + "` nie jest jednym z: , ; tab");
            format.separator = *separator;
        } else if (a == "--encoding") {
            const auto encoding = encodingFromText(args[++i]);
            if (!encoding) return usageError("catalog import", "kodowanie `" + args[i] + "` nie jest jednym z: utf-8, windows-1250");
            format.encoding = *encoding;
        } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
            return usageError("catalog import", "nieznana opcja " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() < 2) return usageError("catalog import", "podaj plik katalogu i tabelę");
    if (positional.size() > 2) return usageError("catalog import", "nadmiarowy argument `" + positional[2] + "`");
    if (csvPath.empty()) return usageError("catalog import", "nie podano pliku CSV (--csv DANE.csv)");
    platform::FileSystem& files = platform::realFileSystem();
    std::unique_ptr<platform::ReadableFile> csv;
    try {
        csv = files.openRead(csvPath, platform::Sharing::ReadOnlyForOthers);
    } catch (const platform::FileError&) {
        std::fprintf(stderr, "pakiet catalog import: nie można odczytać pliku %s\n", csvPath.c_str());
        return 1;
    }
    try {
        // Rows are read and appended one at a time: memory stays flat for any file size.
        ProgressLine progress = ProgressLine::onStandardError();
        FileWithProgress watched(*csv, progress);
        const catalog::CsvImportSummary summary = catalog::importCsv(files, positional[0], positional[1], watched, format);
        progress.clear();
        std::printf("Plik CSV: %s, separator %s.\n", encodingText(summary).c_str(), separatorText(summary).c_str());
        std::printf("Dopisano %s do tabeli `%s`.\n", countOf(summary.rows, "wiersz", "wiersze", "wierszy").c_str(),
                    positional[1].c_str());
        return 0;
    } catch (const catalog::CatalogError& e) {
        std::fprintf(stderr, "pakiet catalog import: %s: %s\n", csvPath.c_str(), e.what());
        return 1;
    }
}

}  // namespace cli
