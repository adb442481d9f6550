// Component-by-component name checks.
#include "archive/zip/safe_name.h"

#include <array>
#include <string>

#include "archive/zip/zip_entry.h"
#include "archive/zip/zip_reader.h"
#include "platform/ascii_case.h"

namespace zip {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isReservedDeviceName(std::string_view component) {
    // The device name counts with any extension ("nul.txt" is NUL too) and trailing blanks.
    std::string_view stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    static constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN", "AUX", "NUL",
                                                               "CONIN$", "CONOUT$"};
    for (std::string_view reserved : kPlain)
        if (platform::equalsIgnoringAsciiCase(stem, reserved)) return true;
    if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9')
        return platform::equalsIgnoringAsciiCase(stem.substr(0, 3), "COM") || platform::equalsIgnoringAsciiCase(stem.substr(0, 3), "LPT");
    return false;
}

std::optional<NameProblem> checkComponent(std::string_view component) {
    if (component == "..") return NameProblem::ParentComponent;
    for (char c : component) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return NameProblem::ControlCharacter;
        if (std::string_view(":*?\"<>|").find(c) != std::string_view::npos) return NameProblem::ForbiddenCharacter;
    }
    if (isReservedDeviceName(component)) return NameProblem::ReservedDeviceName;
    if (component.back() == '.' || component.back() == ' ') return NameProblem::TrailingDotOrSpace;
    return std::nullopt;
}

}  // namespace

std::optional<NameProblem> checkMemberName(std::string_view name) {
    if (name.empty()) return NameProblem::Empty;
    if (name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1])) return NameProblem::Unc;
    if (isSeparator(name[0])) return NameProblem::Absolute;
    if (name.size() >= 2 && isAsciiLetter(name[0]) && name[1] == ':') return NameProblem::DriveLetter;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !isSeparator(name[end])) ++end;
        const std::string_view component = name.substr(start, end - start);
        const bool last = end >= name.size();
        if (component.empty()) {
            // Only a folder entry's final separator may leave an empty component.
            if (!(last && start > 0)) return NameProblem::EmptyComponent;
        } else if (auto problem = checkComponent(component)) {
            return problem;
        }
        if (last) break;
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<NameProblem> checkEntryName(const Entry& entry) {
    if (!entry.nameIsValid) return NameProblem::InvalidEncoding;
    return checkMemberName(entry.name);
}

const char* describe(NameProblem problem) {
    switch (problem) {
        case NameProblem::Empty: return "the name is empty";
        case NameProblem::InvalidEncoding: return "the name is not valid UTF-8";
        case NameProblem::Absolute: return "the name begins with a separator";
        case NameProblem::Unc: return "the name is a network path";
        case NameProblem::DriveLetter: return "the name begins with a drive letter";
        case NameProblem::ParentComponent: return "the name holds a '..' component";
        case NameProblem::EmptyComponent: return "the name holds an empty component";
        case NameProblem::ControlCharacter: return "the name holds a control character";
        case NameProblem::ForbiddenCharacter: return "the name holds a character not allowed in paths";
        case NameProblem::ReservedDeviceName: return "the name holds a reserved device name";
        case NameProblem::TrailingDotOrSpace: return "a component of the name ends with a dot or a space";
    }
    return "the name is not safe";
}

}  // namespace zip
