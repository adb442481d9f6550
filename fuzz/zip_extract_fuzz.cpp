// Fuzz target: ExtractFilesFromZip on arbitrary archive bytes into a temporary folder on the
// real file system. Whatever it writes must stay below that folder, and no temporary member
// file may remain.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "archive/extract_files_from_zip.h"
#include "archive/member_extraction.h"
#include "archive/zip/zip_reader.h"
#include "fuzz/fuzz_replay.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/gauge.h"

namespace {

class QuietLog : public session::Log {
public:
    void info(std::int32_t, std::string_view) override {}
};

// A folder of the run's own, removed when the program ends.
struct WorkFolder {
    WorkFolder() : path(std::filesystem::temp_directory_path() / ("lumor-zip-extract-fuzz-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path / "a" / "b");
    }
    ~WorkFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path path;
};

std::filesystem::path workFolder() {
    static const WorkFolder folder;
    return folder.path;
}

// True when `folder` holds nothing but `only`.
bool holdsOnly(const std::filesystem::path& folder, const std::filesystem::path& only) {
    for (const auto& item : std::filesystem::directory_iterator(folder))
        if (item.path() != only) return false;
    return true;
}

std::string text(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path root = workFolder();
    // The destination lies three levels down, so that a name climbing out of it would show.
    const std::filesystem::path archivePath = root / "packages.zip";
    const std::filesystem::path destination = root / "a" / "b" / "dest";
    std::filesystem::remove_all(destination);
    std::filesystem::create_directories(destination);
    {
        std::ofstream out(archivePath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // Bombs are bounded by the announced sizes; keep single runs small.
    try {
        const std::string bytes(reinterpret_cast<const char*>(data), size);
        zip::ZipReader reader(zip::memorySource(bytes));
        std::uint64_t total = 0;
        for (const auto& entry : reader.entries()) total += entry.uncompressedSize;
        if (total > (64u << 20)) return 0;
    } catch (...) {
    }
    session::InstallerState state;
    state.packageName = "P";
    QuietLog log;
    toolkit::Gauge gauge("gauge");
    archive::ExtractFilesFromZip(log, platform::realFileSystem(), state, gauge, text(archivePath),
                                 platform::withTrailingSeparator(text(destination)));
    // Nothing may have escaped the destination.
    for (const auto& item : std::filesystem::directory_iterator(root))
        if (item.path() != archivePath && item.path() != root / "a") std::abort();
    if (!holdsOnly(root / "a", root / "a" / "b") || !holdsOnly(root / "a" / "b", destination)) std::abort();
    for (const auto& item : std::filesystem::recursive_directory_iterator(destination)) {
        const std::string name = text(item.path().filename());
        if (name.size() >= 11 && name.ends_with(archive::kPartialSuffix)) std::abort();
        if (item.is_symlink()) std::abort();
    }
    return 0;
}

#ifndef LUMOR_LIBFUZZER_BUILD
int main(int argc, char** argv) { return replayCorpus(argc, argv); }
#endif
