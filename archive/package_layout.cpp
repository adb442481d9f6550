// The same package folder rule as the installer's discovery, so that what pakiet accepts the
// installer finds.
#include "archive/package_layout.h"

#include "archive/member_safety.h"
#include "archive/package_folders.h"
#include "archive/zip/zip_reader.h"
#include "platform/ascii_case.h"
#include "platform/decimal_piece.h"
#include "session/catalog_file_name.h"

namespace archive {

std::vector<std::string> packageLayoutProblems(const std::vector<std::string>& names, std::string* packageName) {
    std::vector<std::string> problems;
    std::vector<std::string> folders;
    for (const std::string& name : names)
        if (auto folder = packageFolderOf(name)) folders.push_back(*folder);
    if (folders.size() != 1) {
        std::string text = "archiwum musi zawierać dokładnie jeden katalog paczki z katalogiem bazy "
                           "\"<paczka>\\dodatki.mdb\", a zawiera ";
        text += platform::DecimalPiece(folders.size());
        for (const std::string& folder : folders) text += " `" + folder + "`";
        problems.push_back(text);
        for (const std::string& name : names) {
            const std::size_t cut = name.find_last_of("\\/");
            const std::string file = cut == std::string::npos ? name : name.substr(cut + 1);
            if (file != session::kCatalogFileName && platform::equalsIgnoringAsciiCase(file, session::kCatalogFileName))
                problems.push_back("`" + name + "` musi się nazywać dokładnie `dodatki.mdb` (małymi literami)");
            else if (file == session::kCatalogFileName && !packageFolderOf(name))
                problems.push_back("`" + name + "` nie leży bezpośrednio w katalogu najwyższego poziomu z separatorem `\\`");
        }
        return problems;
    }
    const std::string& package = folders.front();
    if (auto refusal = packageNameRefusal(package, catalogMemberOf(package))) {
        problems.push_back(*refusal);
        return problems;
    }
    if (packageName) *packageName = package;
    bool coverFound = false;
    for (const std::string& name : names) {
        if (name == package + ".jpg") coverFound = true;
        else if (platform::equalsIgnoringAsciiCase(name, package + ".jpg"))
            problems.push_back("okładka `" + name + "` musi się nazywać dokładnie `" + package + ".jpg`");
    }
    if (!coverFound) problems.push_back("brak okładki `" + package + ".jpg` w głównym katalogu archiwum");
    return problems;
}

bool looksLikeJpeg(const std::string& firstBytes) {
    return firstBytes.size() >= 3 && static_cast<unsigned char>(firstBytes[0]) == 0xFF &&
           static_cast<unsigned char>(firstBytes[1]) == 0xD8 && static_cast<unsigned char>(firstBytes[2]) == 0xFF;
}

}  // namespace archive
