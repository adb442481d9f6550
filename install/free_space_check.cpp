#include "install/free_space_check.h"

#include <algorithm>

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace install {

namespace {

// Thousands grouped with a space, as Polish writes them.
std::string grouped(std::uint64_t value) {
    const platform::DecimalPiece piece(value);
    const std::string_view digits = piece;
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ' ';
        text += digits[i];
    }
    return text;
}

}  // namespace

std::uint64_t bytesNeeded(std::uint64_t installed, std::uint64_t packageCatalog,
                          std::uint64_t userCatalog) {
    return installed + 2 * std::max(packageCatalog, userCatalog);
}

std::string sizeText(std::uint64_t bytes) {
    // Megabytes to one decimal, rounded half to even as printf's "%.1f" rounds; in integers, as
    // printf would bring its floating-point formatting (some 20 KB) into the installer.
    constexpr std::uint64_t mega = 1024 * 1024;
    std::uint64_t whole = bytes / mega, scaled = bytes % mega * 10;
    std::uint64_t tenths = scaled / mega, rest = scaled % mega;
    if (rest > mega / 2 || (rest == mega / 2 && tenths % 2 == 1)) ++tenths;
    if (tenths == 10) {
        ++whole;
        tenths = 0;
    }
    const char tenth = static_cast<char>('0' + tenths);
    return platform::concat({platform::DecimalPiece(whole), ",", std::string_view(&tenth, 1), " MB (", grouped(bytes), " B)"});
}

std::string driveOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return path;
}

bool checkFreeSpace(session::Log& log, platform::FileSystem& fs, const std::string& destinationDir,
                    std::uint64_t needed) {
    const std::string drive = driveOf(destinationDir);
    const std::optional<std::uint64_t> available = fs.freeSpace(destinationDir);
    if (!available) {
        log.info(2, {"Nie można sprawdzić wolnego miejsca na dysku ", drive});
        return true;
    }
    log.info(2, {"Wolne miejsce na dysku ", drive, ": ", sizeText(*available), ", potrzeba ",
                 sizeText(needed)});
    if (*available >= needed) return true;
    log.info(1, {"Za mało miejsca na dysku ", drive, ". Instalacja potrzebuje ", sizeText(needed),
                 ", a wolne jest ", sizeText(*available), "."});
    return false;
}

}  // namespace install
