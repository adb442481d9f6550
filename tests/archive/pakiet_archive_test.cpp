// pakiet build, verify and extract, run as the program: a package built from a folder
// verifies, extracts like an installation, is reproducible, and bad layouts are refused with
// words that say what is wrong.
#include <gtest/gtest.h>

#include <cstdlib>

#include "archive/archive_messages.h"
#include "archive/offset_field.h"
#include "engine_text/file_error_text.h"
#include "archive/zip/zip_writer.h"
#include "tests/archive/archive_fixture.h"
#include "tests/archive/minimal_pe.h"
#include "tests/support/test_paths.h"
#include "jet/write/database_writer.h"
#include "jet/write/table_shape.h"
#include "tests/zip/zip_fixtures.h"

using archivetest::ArchiveTest;

namespace {

#ifndef LUMOR_PAKIET
#define LUMOR_PAKIET ""
#endif

// A catalog as the installer's merge reads it: Dodatki with its key, info_producent; with
// `complete` false the second table is missing.
void writeCatalog(const std::string& path, bool complete) {
    platform::realFileSystem().deleteFile(path);  // the writer never replaces a file
    auto writer = jet::write::DatabaseWriter::create(platform::realFileSystem(), path);
    jet::write::TableShape dodatki{"Dodatki", {{"ID", jet::ColumnType::Int32, 0}}, jet::write::PrimaryKeyShape{"Primary", "ID"}};
    for (const char* name : {"Producent", "Grupa", "Typ", "Nazwa", "JPG", "Kod_Producenta", "Dodatek_wst", "Kod_Wstawiania",
                             "Kolor", "DWG", "Wysokosc", "Opis_Produktu", "Kod_Dodatku1", "Kod_Dodatku2", "Kod_Dodatku3",
                             "Kod_Dodatku4", "Opis_Koloru", "cena", "vat", "marza", "upust", "kolorystyka", "wymiar X",
                             "wymiar Y", "wymiar Z", "typ_standardowy"})
        dodatki.columns.push_back({name, jet::ColumnType::Text, 50});
    writer->createTable(dodatki);
    if (complete) {
        jet::write::TableShape producent{"info_producent", {}, std::nullopt};
        for (const char* name : {"Producent", "Nazwa", "Ulica", "Miasto", "kod", "Tel", "Fax", "e_mail", "osoba"})
            producent.columns.push_back({name, jet::ColumnType::Text, 50});
        writer->createTable(producent);
    }
    writer->close();
}

struct Result {
    int code;
    std::string output;
};

// The security directory entry of archivetest::minimalPeImage().
constexpr std::size_t kSecurityDirectoryEntry = 0x40 + 24 + 112 + 4 * 8;

// `image` with a 16-byte certificate table appended and named by its security directory: a
// WIN_CERTIFICATE header over bytes that are no signature.
std::string withCertificateTable(std::string image) {
    const auto offset = static_cast<std::uint32_t>(image.size());
    image += std::string("\x10\0\0\0\0\x02\x02\0not signed", 16);
    ziptest::patchU32(image, kSecurityDirectoryEntry, offset);
    ziptest::patchU32(image, kSecurityDirectoryEntry + 4, 16);
    return image;
}

// A real cover whose frame header declares another size.
std::string coverDeclaring(int width, int height) {
    std::string bytes = testsupport::readFile(testsupport::sourceDir() / "tests" / "archive" / "covers" / "cover-960x540.jpg");
    const std::size_t frame = bytes.find("\xFF\xC0");
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width);
    return bytes;
}

// Real JPEG covers of the design size and of other sizes (one flat colour each).
std::string cover(const std::string& size) {
    return testsupport::readFile(testsupport::sourceDir() / "tests" / "archive" / "covers" / ("cover-" + size + ".jpg"));
}

class Pakiet : public ArchiveTest {
protected:
    Pakiet() { makePackage(""); }

    // A package and a stub below `root` ("" or a folder name ending with '/').
    void makePackage(const std::string& root) {
        if (!root.empty()) fs.createFolder(path(root));
        fs.createFolder(path(root + "src"));
        fs.createFolder(path(root + "src/Kuchnie"));
        fs.createFolder(path(root + "src/Kuchnie/tekstury"));
        writeCatalog(path(root + "src/Kuchnie/dodatki.mdb"), true);
        write(root + "src/Kuchnie/item.dwx", "drawing");
        write(root + "src/Kuchnie/tekstury/\xC5\x82\xC3\xB3\xC5\xBCko.jpg", ziptest::noise(40000));
        write(root + "src/Kuchnie.jpg", cover("1040x585"));
        write(root + "src/Kuchnie.txt", "Kuchnie\r\n");
        write(root + "src/README.txt", "read me");
        write(root + "stub.exe", std::string(4096, 'S'));
    }

    Result pakiet(const std::string& arguments) {
        // A file of its own per command: under Wine the shell of the previous command may still
        // hold its output file for a moment after it ended, and the next redirection then fails.
        const std::string name = "out" + std::to_string(commands_++) + ".txt";
        const std::string out = path(name);
        std::string command = "\"" + std::string(LUMOR_PAKIET) + "\" " + arguments + " > \"" + out + "\" 2>&1";
        // cmd.exe drops the outermost quotes of a command line that starts with one.
        if (platform::kSeparator == '\\') command = "\"" + command + "\"";
        const int status = std::system(command.c_str());
        Result result{status, exists(name) ? read(name) : ""};
        return result;
    }
    std::string q(const std::string& relative) { return "\"" + path(relative) + "\""; }
    std::string buildArgs(const std::string& output = "Kuchnie.exe", const std::string& root = "") {
        return "build --stub " + q(root + "stub.exe") + " --package " + q(root + "src/Kuchnie") + " --extra " +
               q(root + "src/README.txt") + " --output " + q(root + output);
    }
    void SetUp() override {
        if (std::string(LUMOR_PAKIET).empty()) GTEST_SKIP() << "pakiet is not built";
    }

private:
    int commands_ = 0;
};

}  // namespace

TEST_F(Pakiet, BuildsAnInstallerThatVerifiesAndExtractsLikeAnInstallation) {
    const Result built = pakiet(buildArgs());
    ASSERT_EQ(built.code, 0) << built.output;
    const std::string exe = read("Kuchnie.exe");
    EXPECT_EQ(exe.substr(0, 4096), std::string(4096, 'S'));
    EXPECT_EQ(exe.substr(exe.size() - 23), "\xEF\xBB\xBF" + archive::formatOffsetField(4096));

    const Result verified = pakiet("verify " + q("Kuchnie.exe"));
    EXPECT_EQ(verified.code, 0) << verified.output;
    EXPECT_NE(verified.output.find("paczka: Kuchnie"), std::string::npos) << verified.output;

    const Result extracted = pakiet("extract " + q("Kuchnie.exe") + " " + q("dest"));
    ASSERT_EQ(extracted.code, 0) << extracted.output;
    EXPECT_EQ(read("dest/Kuchnie/dodatki.mdb"), read("src/Kuchnie/dodatki.mdb"));
    EXPECT_EQ(read("dest/Kuchnie/tekstury/\xC5\x82\xC3\xB3\xC5\xBCko.jpg"), ziptest::noise(40000));
    EXPECT_EQ(read("dest/README.txt"), "read me");
    EXPECT_FALSE(exists("dest/Kuchnie.jpg"));
    EXPECT_FALSE(exists("dest/Kuchnie.txt"));
    EXPECT_NE(extracted.output.find("[2] Kuchnie\\dodatki.mdb"), std::string::npos) << extracted.output;
}

TEST_F(Pakiet, TheSameInputGivesTheSameInstaller) {
    ASSERT_EQ(pakiet(buildArgs("a.exe")).code, 0);
    ASSERT_EQ(pakiet(buildArgs("b.exe")).code, 0);
    EXPECT_EQ(read("a.exe"), read("b.exe"));
}

TEST_F(Pakiet, BuildRefusesBadLayoutsAndSaysWhy) {
    struct Damage {
        const char* what;
        std::function<void(const std::string&)> damage;
        std::string said;
    };
    const auto native = [this](const std::string& relative) { return archivetest::nativePath(path(relative)); };
    const std::vector<Damage> cases = {
        {"catalog in capitals", [&](const std::string& r) {
             std::filesystem::remove(native(r + "src/Kuchnie/dodatki.mdb"));
             write(r + "src/Kuchnie/Dodatki.mdb", "catalog"); },
         "nie zawiera bazy o nazwie dokładnie `dodatki.mdb`"},
        {"catalog without info_producent", [&](const std::string& r) { writeCatalog(path(r + "src/Kuchnie/dodatki.mdb"), false); },
         "katalog nie ma tabeli `info_producent`"},
        {"catalog not a database", [&](const std::string& r) { write(r + "src/Kuchnie/dodatki.mdb", std::string(5000, 'x')); },
         "nie jest bazą danych Jet 4"},
        {"cover missing", [&](const std::string& r) { fs.deleteFile(path(r + "src/Kuchnie.jpg")); }, "brak okładki `Kuchnie.jpg`"},
        {"cover not a JPEG", [&](const std::string& r) { write(r + "src/Kuchnie.jpg", "GIF89a"); }, "nie jest obrazem JPEG"},
        {"device name inside", [&](const std::string& r) { write(r + "src/Kuchnie/aux.txt", "x"); },
         "Niedozwolona nazwa pliku `Kuchnie\\aux.txt` w archiwum ZIP: nazwa zawiera zastrzeżoną nazwę urządzenia."},
        {"cover putting Close below the screen", [&](const std::string& r) { write(r + "src/Kuchnie.jpg", cover("800x1200")); },
         "okładka `Kuchnie.jpg` (800 x 1200) na ekranie 1366 x 768 daje okno 888 x 1332: przycisk ZAMKNIJ wypada poza ekran"},
        {"cover too tall for the large screen too", [&](const std::string& r) { write(r + "src/Kuchnie.jpg", cover("800x1200")); },
         "na ekranie 1920 x 1080 daje okno 1248 x 1872"},
        {"cover that decodes to nothing", [&](const std::string& r) { write(r + "src/Kuchnie.jpg", "\xFF\xD8\xFF\xE0 cover"); },
         "okładki `Kuchnie.jpg` nie da się odczytać jako obrazu JPEG"},
        {"stub already an installer", [&](const std::string& r) { write(r + "stub.exe", std::string(100, 'S') + archive::formatOffsetField(50)); },
         "zawiera już paczkę"},
        {"stub already signed", [&](const std::string& r) { write(r + "stub.exe", withCertificateTable(archivetest::minimalPeImage())); },
         "stub.exe` jest podpisany (Authenticode)"},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(cases[k].what);
        // Windows itself cannot hold a file named after a device (writing "aux.txt" reaches AUX).
        if (platform::kSeparator == '\\' && std::string(cases[k].what) == "device name inside") continue;
        const std::string root = "case" + std::to_string(k) + "/";
        makePackage(root);
        cases[k].damage(root);
        const Result result = pakiet(buildArgs("Kuchnie.exe", root));
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.output.find(cases[k].said), std::string::npos) << result.output;
        EXPECT_FALSE(exists(root + "Kuchnie.exe"));
    }
}

TEST_F(Pakiet, VerifyReportsADamagedMemberAndAMissingTrailer) {
    ASSERT_EQ(pakiet(buildArgs()).code, 0);
    std::string exe = read("Kuchnie.exe");
    const std::size_t at = exe.find("Kuchnie\\item.dwx");
    exe[at + 16] ^= 0x20;  // the first data byte of item.dwx (stored: too short to deflate)
    write("damaged.exe", exe);
    Result result = pakiet("verify " + q("damaged.exe"));
    EXPECT_NE(result.code, 0);
    EXPECT_NE(result.output.find("Suma kontrolna pliku `Kuchnie\\item.dwx`"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Kuchnie\\item.dwx"), std::string::npos) << result.output;

    write("plain.exe", std::string(5000, 'S'));
    result = pakiet("verify " + q("plain.exe"));
    EXPECT_NE(result.code, 0);
    EXPECT_NE(result.output.find("nie wskazuje archiwum"), std::string::npos) << result.output;
}

TEST_F(Pakiet, ACoverOfAnotherSizeThatLeavesCloseOnScreenIsBuiltWithAWarning) {
    write("src/Kuchnie.jpg", cover("960x540"));
    const std::string warning = "uwaga: okładka `Kuchnie.jpg` ma 960 x 540 pikseli; okno jest zaprojektowane na 1040 x 585";
    const Result built = pakiet(buildArgs());
    EXPECT_EQ(built.code, 0) << built.output;
    EXPECT_NE(built.output.find(warning), std::string::npos) << built.output;
    const Result verified = pakiet("verify " + q("Kuchnie.exe"));
    EXPECT_EQ(verified.code, 0) << verified.output;
    EXPECT_NE(verified.output.find(warning), std::string::npos) << verified.output;

    write("src/Kuchnie.jpg", cover("1040x585"));
    const Result designed = pakiet(buildArgs("designed.exe"));
    EXPECT_EQ(designed.code, 0) << designed.output;
    EXPECT_NE(designed.output.find("zapisano "), std::string::npos) << designed.output;
    EXPECT_EQ(designed.output.find("uwaga"), std::string::npos) << designed.output;
    const Result designedVerified = pakiet("verify " + q("designed.exe"));
    EXPECT_EQ(designedVerified.code, 0) << designedVerified.output;
    EXPECT_NE(designedVerified.output.find("paczka: Kuchnie"), std::string::npos) << designedVerified.output;
    EXPECT_EQ(designedVerified.output.find("uwaga"), std::string::npos) << designedVerified.output;
}

TEST_F(Pakiet, VerifyRefusesAnInstallerWhoseCoverPutsCloseOffTheScreen) {
    const std::string stub(4096, 'S');
    const std::string archive = zip::makeZip({{"Kuchnie\\dodatki.mdb", read("src/Kuchnie/dodatki.mdb")},
                                              {"Kuchnie.jpg", cover("800x1200")}});
    write("tall.exe", stub + archive + "\xEF\xBB\xBF" + archive::formatOffsetField(4096));
    const Result result = pakiet("verify " + q("tall.exe"));
    EXPECT_NE(result.code, 0);
    EXPECT_NE(result.output.find("na ekranie 1920 x 1080 daje okno 1248 x 1872: przycisk ZAMKNIJ wypada poza ekran"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("ma 800 x 1200 pikseli"), std::string::npos) << result.output;
}
// Only the digest is compared; the output says so. A byte changed after signing, or a table
// that holds no signature, is a problem; the checksum field lies outside the digest.
TEST_F(Pakiet, VerifyComparesTheSignedDigestWithTheFile) {
    if (platform::kSeparator == '\\' || std::system("osslsigncode --version >/dev/null 2>&1") != 0 ||
        std::system("openssl version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "osslsigncode or openssl is not installed (or this is Windows)";
    write("stub.exe", archivetest::minimalPeImage());
    ASSERT_EQ(pakiet(buildArgs()).code, 0);
    const std::string d = path("");
    const std::string keys = "cd '" + d + "' && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem "
                             "-days 2 -subj '/CN=Lumor Test Publisher' >/dev/null 2>&1";
    ASSERT_EQ(std::system(keys.c_str()), 0);
    for (const char* hash : {"sha256", "sha1"}) {
        SCOPED_TRACE(hash);
        const std::string sign = "cd '" + d + "' && rm -f signed.exe && osslsigncode sign -h " + hash +
                                 " -certs cert.pem -key key.pem -in Kuchnie.exe -out signed.exe >/dev/null";
        ASSERT_EQ(std::system(sign.c_str()), 0);
        Result result = pakiet("verify " + q("signed.exe"));
        EXPECT_EQ(result.code, 0) << result.output;
        EXPECT_NE(result.output.find(std::string("skrót ") + (hash[3] == '2' ? "SHA-256" : "SHA-1") +
                                     " zapisany w podpisie zgadza się z plikiem (sprawdzono tylko skrót"),
                  std::string::npos)
            << result.output;

        std::string exe = read("signed.exe");
        exe[0x40 + 24 + 64] ^= 0x5A;  // the checksum: outside the digest
        write("checksum.exe", exe);
        result = pakiet("verify " + q("checksum.exe"));
        EXPECT_EQ(result.code, 0) << result.output;

        exe[0x1F0] ^= 0x01;  // a byte of the headers' padding, changed after signing
        write("changed.exe", exe);
        result = pakiet("verify " + q("changed.exe"));
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.output.find("podpis Authenticode nie zgadza się z plikiem"), std::string::npos) << result.output;
    }
}

TEST_F(Pakiet, VerifyRefusesACertificateTableThatHoldsNoSignature) {
    const std::string stub = archivetest::minimalPeImage();
    std::string exe = stub + zip::makeZip({{"Kuchnie\\dodatki.mdb", read("src/Kuchnie/dodatki.mdb")}, {"Kuchnie.jpg", cover("1040x585")}}) +
                      "\xEF\xBB\xBF" + archive::formatOffsetField(static_cast<std::int64_t>(stub.size()));
    write("forged.exe", withCertificateTable(exe));
    const Result result = pakiet("verify " + q("forged.exe"));
    EXPECT_NE(result.code, 0);
    EXPECT_NE(result.output.find("podpisu Authenticode nie da się sprawdzić"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("\nok"), std::string::npos) << result.output;
}

// Refused from the frame header or the file's size, before anything is decoded or read whole.
TEST_F(Pakiet, CoversBeyondWhatTheWindowShowsAreRefusedBeforeDecoding) {
    const std::string huge = coverDeclaring(65500, 65500);
    const std::string declared = "okładka `Kuchnie.jpg` deklaruje 65500 x 65500 pikseli";
    const std::string tooLong = "\xFF\xD8\xFF\xE0" + std::string((32u << 20) - 3, '\0');
    const std::string tooLarge = "okładka `Kuchnie.jpg` ma 33554433 bajtów; okładka może mieć najwyżej 32 MiB";
    for (const auto& [bytes, said] : {std::pair{huge, declared}, std::pair{tooLong, tooLarge}}) {
        write("src/Kuchnie.jpg", bytes);
        Result result = pakiet(buildArgs());
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.output.find(said), std::string::npos) << result.output;

        const std::string stub(4096, 'S');
        write("big.exe", stub + zip::makeZip({{"Kuchnie\\dodatki.mdb", read("src/Kuchnie/dodatki.mdb")}, {"Kuchnie.jpg", bytes}}) +
                             "\xEF\xBB\xBF" + archive::formatOffsetField(4096));
        result = pakiet("verify " + q("big.exe"));
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.output.find(said), std::string::npos) << result.output;
    }
    // The largest size still passes the header: 7680 x 4320 is checked by decoding.
    write("src/Kuchnie.jpg", coverDeclaring(7680, 4320));
    const Result atLimit = pakiet(buildArgs());
    EXPECT_EQ(atLimit.output.find("deklaruje"), std::string::npos) << atLimit.output;
}

// The offset field holds whatever the file has: its bytes are shown escaped, never sent to
// the terminal as they are.
TEST_F(Pakiet, VerifyPrintsTheOffsetFieldEscaped) {
    write("junk.exe", std::string(5000, 'S') + "ab\x1b]0;owned\x07\x1b[2J\xC5\x82\xFF!");
    const Result result = pakiet("verify " + q("junk.exe"));
    EXPECT_NE(result.code, 0);
    EXPECT_NE(result.output.find("pole pozycji `ab\\x1b]0;owned\\x07\\x1b[2J\xC5\x82\\xff!`"), std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find('\x1b'), std::string::npos);
    EXPECT_EQ(result.output.find('\x07'), std::string::npos);
}

namespace {

bool hasEnglish(const std::string& text) {
    for (const char* word : {"cannot", "no such", "not a Jet", "usage", "unknown", "error", "Error"})
        if (text.find(word) != std::string::npos) return true;
    return false;
}

TEST_F(Pakiet, HelpIsPolishAndSucceeds) {
    Result result = pakiet("--help");
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(result.output.find("użycie: pakiet POLECENIE"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("rozpakowuje paczkę"), std::string::npos) << result.output;
    result = pakiet("catalog --help");
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(result.output.find("wszystkie wiersze tabeli"), std::string::npos) << result.output;
    EXPECT_FALSE(hasEnglish(result.output)) << result.output;
}

TEST_F(Pakiet, CatalogErrorsArePolishAndNameWhatFailed) {
    write("tekst.mdb", std::string(5000, 'x'));
    const struct {
        std::string arguments;
        std::string said;
    } cases[] = {
        {"catalog dump " + q("src/Kuchnie/dodatki.mdb") + " Brak",
         "Baza danych " + path("src/Kuchnie/dodatki.mdb") + " nie ma tabeli `Brak`."},
        {"catalog dump " + q("tekst.mdb") + " Dodatki",
         "Plik " + path("tekst.mdb") + " nie jest bazą danych Jet 4"},
        {"catalog tables " + q("brak.mdb"), "Nie można otworzyć bazy danych " + path("brak.mdb")},
        {"catalog schema " + q("src/Kuchnie/dodatki.mdb") + " Brak", "nie ma tabeli `Brak`"},
        {"catalog frobnicate", "nieznana czynność `frobnicate`"},
        {"frobnicate", "nieznane polecenie `frobnicate`"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Result result = pakiet(c.arguments);
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.output.find(c.said), std::string::npos) << result.output;
        EXPECT_FALSE(hasEnglish(result.output)) << result.output;
    }
}

TEST_F(Pakiet, VerifyReportsNamesTheInstallerWouldRefuse) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> members;
        std::string said;
    } cases[] = {
        {"package named '..'", {{"..\\dodatki.mdb", "c"}, {"...jpg", "\xFF\xD8\xFF"}},
         "Niedozwolona nazwa katalogu paczki `..`"},
        {"one file on NTFS", {{"P\\dodatki.mdb", "c"}, {"P.jpg", "\xFF\xD8\xFF"}, {"P\\Łóżko.jpg", "1"}, {"P\\łóżko.jpg", "2"}},
         "Plik `P\\łóżko.jpg` występuje w archiwum ZIP więcej niż raz."},
        {"console device", {{"P\\dodatki.mdb", "c"}, {"P.jpg", "\xFF\xD8\xFF"}, {"P\\CONIN$", "1"}},
         "Niedozwolona nazwa pliku `P\\CONIN$` w archiwum ZIP: nazwa zawiera zastrzeżoną nazwę urządzenia."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write("bad.exe", std::string(4096, 'S') + zip::makeZip(c.members) + "\xEF\xBB\xBF" + archive::formatOffsetField(4096));
        const Result result = pakiet("verify " + q("bad.exe"));
        EXPECT_NE(result.code, 0);
        EXPECT_NE(result.output.find(c.said), std::string::npos) << result.output;
    }
}

}  // namespace

namespace {

TEST(FileErrorText, TheSystemsFailuresAreWordedInPolishAndCallersSentencesKept) {
    EXPECT_EQ(engine_text::fileErrorText(platform::FileError(platform::FileAction::Open, "D:\\a.mdb", "Odmowa dostępu.")),
              "Nie można otworzyć pliku: D:\\a.mdb (Odmowa dostępu.)");
    EXPECT_EQ(engine_text::fileErrorText(platform::FileError(platform::FileAction::Write, "D:\\a.mdb", "Dysk jest pełny.")),
              "Błąd zapisu pliku: D:\\a.mdb (Dysk jest pełny.)");
    EXPECT_EQ(engine_text::fileErrorText(platform::FileError("D:\\a", "Nie można utworzyć katalogu: D:\\a")),
              "Nie można utworzyć katalogu: D:\\a");
}

}  // namespace
