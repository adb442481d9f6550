// Progress is per member, not per byte; skipped members still count in the divisor, so the
// gauge reaches its maximum with the last member.
#include "archive/extract_files_from_zip.h"

#include <cmath>

#include "archive/member_extraction.h"
#include "archive/member_safety.h"
#include "archive/read_archive.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace archive {

int gaugePosition(std::int32_t i, std::int32_t maxFiles, int gaugeMax) {
    if (maxFiles <= 0) return gaugeMax;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return static_cast<int>(std::nearbyint(static_cast<double>(i) / static_cast<double>(maxFiles) * gaugeMax));
}

bool ExtractFilesFromZip(session::Log& log, platform::FileSystem& fs, const session::InstallerState& state,
                         toolkit::Gauge& gauge, const std::string& SourceFile, const std::string& DestinationDir,
                         MemberPlacement* placement) {
    return readArchive(log, fs, SourceFile, [&](zip::ZipReader& reader) {
        const auto maxFiles = static_cast<std::int32_t>(reader.size()) - 1;
        log.info(2, {"maxFiles = ", platform::DecimalPiece(maxFiles)});
        const std::string cover = platform::concat({state.packageName, ".jpg"});
        const std::string text = platform::concat({state.packageName, ".txt"});
        checkArchiveSafe(reader, {cover, text});
        PendingFolderSyncs pending(fs);
        for (std::size_t i = 0; i < reader.size(); ++i) {
            const std::string& s = reader.entries()[i].name;
            if (s == cover || s == text) continue;
            extractMember(reader, i, DestinationDir, fs, pending, placement);
            log.info(2, s);
            gauge.setProgress(gaugePosition(static_cast<std::int32_t>(i), maxFiles, gauge.maxValue()));
        }
        // Every file on the disk before the catalog that names them is merged.
        pending.syncAll();
        gauge.setProgress(gauge.maxValue());
        return true;
    }, {}, state.heldArchiveAt(SourceFile));
}

}  // namespace archive
