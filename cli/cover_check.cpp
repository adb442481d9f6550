// Decoding the cover and placing the window on common screens; see cover_check.h.
#include "cli/cover_check.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "app/error_text.h"
#include "cli/cli_files.h"
#include "toolkit/jpeg_layout.h"
#include "toolkit/platform_image_decoder.h"
#include "ui/cover_on_screen.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

std::string sizeText(ui::Size size) { return std::to_string(size.width) + " x " + std::to_string(size.height); }

// The decoders read files: the bytes go to a temporary file that is removed afterwards.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& bytes) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() / ("pakiet-okladka-" + std::to_string(stamp) + ".jpg");
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) throw std::runtime_error("nie można zapisać pliku tymczasowego " + utf8FromPath(path_));
    }
    ~TemporaryFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    std::string path() const { return utf8FromPath(path_); }

private:
    fs::path path_;
};

}  // namespace

std::optional<std::string> coverFileSizeProblem(const std::string& name, std::uint64_t bytes) {
    if (bytes <= kMaxCoverBytes) return std::nullopt;
    return "okładka `" + name + "` ma " + std::to_string(bytes) + " bajtów; okładka może mieć najwyżej " +
           std::to_string(kMaxCoverBytes >> 20) + " MiB";
}

CoverCheck checkCover(const std::string& name, const std::string& bytes) {
    CoverCheck check;
    if (auto tooLarge = coverFileSizeProblem(name, bytes.size())) {
        check.problems.push_back(*tooLarge);
        return check;
    }
    const toolkit::JpegLayout layout = toolkit::readJpegLayout(bytes);
    if (layout.hasFrame && (layout.width > kMaxCoverSide || layout.height > kMaxCoverSide ||
                            static_cast<long long>(layout.width) * layout.height > kMaxCoverPixels)) {
        check.problems.push_back("okładka `" + name + "` deklaruje " + sizeText({layout.width, layout.height}) +
                                 " pikseli; okno nie pokaże więcej niż " + std::to_string(kMaxCoverPixels) +
                                 " pikseli (7680 x 4320), bok najwyżej " + std::to_string(kMaxCoverSide));
        return check;
    }
    const auto decoder = toolkit::makePlatformImageDecoder();
    if (!decoder) {
        check.warnings.push_back("uwaga: ta wersja pakiet nie odczytuje obrazów JPEG; rozmiaru okładki '" + name +
                                 "' nie sprawdzono");
        return check;
    }
    ui::Size picture;
    try {
        TemporaryFile file(bytes);
        const toolkit::Image image = decoder->decodeJpegFile(file.path());
        picture = {image.width, image.height};
    } catch (const std::exception&) {
        check.problems.push_back("okładki `" + name + "` nie da się odczytać jako obrazu JPEG (" +
                                 app::errorText() + ")");
        return check;
    }
    if (!(picture == ui::kDesignCover))
        check.warnings.push_back("uwaga: okładka `" + name + "` ma " + sizeText(picture) +
                                 " pikseli; okno jest zaprojektowane na " + sizeText(ui::kDesignCover));
    for (const ui::Size& screen : ui::kCommonScreens) {
        const ui::CoverOnScreen placed = ui::coverOnScreen(picture, screen);
        if (placed.closeReachable) continue;
        check.problems.push_back("okładka `" + name + "` (" + sizeText(picture) + ") na ekranie " + sizeText(screen) +
                                 " daje okno " + sizeText(placed.window) + ": przycisk ZAMKNIJ " +
                                 (placed.closeInsideWindow ? "wypada poza ekran" : "nie mieści się w oknie"));
    }
    return check;
}

}  // namespace cli
