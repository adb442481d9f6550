#include "host/host_layout.h"

#include "host/host_folder_text.h"
#include "platform/ascii_case.h"
#include "platform/concat.h"
#include "platform/paths.h"
#include "platform/unicode_case.h"

namespace host {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool endsWithIgnoringCase(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           platform::equalsIgnoringAsciiCase(std::string_view(text).substr(text.size() - tail.size()), tail);
}

}  // namespace

HostLayout hostLayoutFor(std::string_view hostFolder, const std::string& packageName) {
    HostLayout layout;
    constexpr std::string_view separator(&platform::kSeparator, 1);
    layout.destinationDir = platform::concat({trimBlanks(hostFolder), kAddOnFolderName, separator});
    layout.packageCatalogFolder = platform::concat({layout.destinationDir, packageName, separator});
    const auto in = [&](std::string_view name) { return platform::concat({layout.packageCatalogFolder, name}); };
    layout.destination = in(kCatalogName);
    layout.old = in(kOldCatalogName);
    layout.nw = in(kNewCatalogName);
    layout.accessTest = in(kAccessTestName);
    layout.journal = in(kJournalName);
    layout.installRecord = in(kInstallRecordName);
    return layout;
}

std::optional<std::string> reservedMemberRefusal(const std::string& memberName,
                                                 const std::string& packageName) {
    for (std::string_view suffix : {kPartialSuffix, kAsideSuffix})
        if (endsWithIgnoringCase(memberName, suffix))
            return platform::concat({"`", memberName, "`: końcówkę nazwy `", suffix,
                                     "` mają pliki tymczasowe instalatora"});
    const bool inPackageFolder = memberName.size() > packageName.size() + 1 &&
                                 isSeparator(memberName[packageName.size()]) &&
                                 platform::fileNameCaseKey(memberName.substr(0, packageName.size())) ==
                                     platform::fileNameCaseKey(packageName);
    if (!inPackageFolder) return std::nullopt;
    const std::string file = memberName.substr(packageName.size() + 1);
    for (std::string_view name : {kOldCatalogName, kNewCatalogName, kAccessTestName, kJournalName, kInstallRecordName})
        if (platform::equalsIgnoringAsciiCase(file, name))
            return platform::concat(
                {"`", memberName, "`: tej nazwy instalator używa w katalogu pakietu podczas instalacji"});
    return std::nullopt;
}

}  // namespace host
