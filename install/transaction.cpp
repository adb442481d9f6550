// Until the merged catalog is checked on the disk and the record says so, the host folder as
// it was is the truth, and the record tells how to get back to it: the user's catalog at
// "dodatki_old.mdb", the replaced files beside theirs, the added files listed. Nothing in the
// host changes before the archive's CRCs, its names and the drive's free space are known good.
#include "install/transaction.h"

#include <exception>

#include "archive/check_package_intact.h"
#include "archive/extract_files_from_zip.h"
#include "archive/partial_suffix.h"
#include "install/earlier_run.h"
#include "install/free_space_check.h"
#include "install/installation_plan.h"
#include "install/journal_replay.h"
#include "install/keep_aside_placement.h"
#include "platform/concat.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "session/version.h"

namespace install {

static_assert(std::string_view(archive::kPartialSuffix) == host::kPartialSuffix,
              "the extraction's partial files carry the name the installation reserves");

namespace {

std::uint64_t sizeOf(platform::FileSystem& fs, const std::string& path) {
    try {
        const std::int64_t size = fs.openRead(path, platform::Sharing::ReadWriteForOthers)->size();
        return size > 0 ? static_cast<std::uint64_t>(size) : 0;
    } catch (const platform::FileError&) {
        return 0;
    }
}

class Transaction {
public:
    Transaction(const TransactionParts& parts, const host::HostLayout& layout)
        : log_(parts.log), fs_(parts.fs), state_(parts.state), gauge_(parts.gauge), window_(parts.window),
          layout_(layout) {}

    InstallOutcome run() {
        try {
            const InstallOutcome outcome = body();
            cleanUp();
            return outcome;
        } catch (const std::exception&) {
            cleanUp();
            if (recorded_ && !success_) {
                log_.info(1, "Instalacja przerwana.");
                rollBack();
            }
            throw;
        }
    }

private:
    // The checks and the plan; false (after a level-1 message) when nothing may change.
    bool readyToChange() {
        archive::PackageSizes sizes;
        if (!archive::checkPackageIntact(log_, fs_, state_, state_.sourceZip, sizes)) return false;
        if (!settleEarlierInstallation(log_, fs_, layout_)) return false;
        plan_ = planInstallation(log_, fs_, state_, layout_);
        if (!plan_) return false;
        // The files the package replaces stay aside until the end: the drive holds both.
        const std::uint64_t userCatalog = std::max(sizeOf(fs_, layout_.destination), sizeOf(fs_, layout_.old));
        if (!checkFreeSpace(log_, fs_, layout_.destinationDir, bytesNeeded(sizes.installed, sizes.catalog, userCatalog)))
            return false;
        return keepUnprovenLeftovers(log_, fs_, layout_, [&](NameVisitor visit) {
            return forEachTemporaryName(*plan_, layout_, visit);
        });
    }

    // Makes the package's catalog folder and writes the record in it: from here on every
    // change can be undone by this run or the next.
    bool record() {
        try {
            archive::createFolders(fs_, layout_.packageCatalogFolder);
            // The record must not vanish with a folder entry a power cut did not keep.
            for (const std::string& folder : plan_->journal.createdFolders)
                fs_.syncFolder(folder.substr(0, folder.find_last_of(platform::kSeparator)));
            writeJournal(fs_, layout_.journal, plan_->journal);
        } catch (const platform::FileError& error) {
            log_.info(2, error.what());
            log_.info(1, {"Nie można zapisać pliku ", layout_.journal, ". Nic nie zmieniono."});
            removeCreatedFolders(log_, fs_, plan_->journal);
            return false;
        }
        recorded_ = true;
        return true;
    }

    InstallOutcome body() {
        if (!readyToChange() || !record()) return InstallOutcome::NothingChanged;
        if (plan_->journal.userCatalog) {
            log_.info(2, {"zmieniamy ", layout_.destination, " na dodatki_old.mdb"});
            if (!fs_.renameNoReplace(layout_.destination, layout_.old)) {
                // Going on would extract the package's catalog over the user's held one.
                log_.info(1, "Błąd zmiany nazwy pliku dodatki.mdb na dodatki_old.mdb");
                const InstallOutcome undone = rollBack();
                return undone == InstallOutcome::RolledBack ? InstallOutcome::NothingChanged : undone;
            }
        }
        log_.info(2, {"Zaczynamy rozpakowywanie pliku ZIP do: ", layout_.destinationDir});
        KeepAsidePlacement placement(fs_, layout_, plan_->journal);
        success_ = archive::ExtractFilesFromZip(log_, fs_, state_, gauge_, state_.sourceZip,
                                                layout_.destinationDir, &placement);
        if (success_) {
            log_.info(2, "Zaczynamy obsługę bazy dodatki.mdb");
            success_ = false;
            if (!fs_.renameNoReplace(layout_.destination, layout_.nw)) {
                log_.info(1, {"Nie można zmienić nazwy pliku ", layout_.destination, " na dodatki_new.mdb."});
            } else if (window_.CopyMdb(layout_.nw, layout_.old, layout_.destination) &&
                       checkMergedCatalog(log_, fs_, layout_.destination, window_.postedRows())) {
                success_ = commit();
            }
        }
        if (fs_.fileExists(layout_.nw)) deleteOwnFile(log_, fs_, layout_.nw);
        if (success_) {
            log_.info(2, "Poprawnie zakończono instalację.");
            window_.SetFinish();
            return InstallOutcome::Finished;
        }
        log_.info(1, "Wystąpił błąd instalacji. Spróbuj ponownie.");
        return rollBack();
    }

    // The record says the merged catalog is the user's now; the set-aside copies may go. The
    // package's files are on the disk first: the extraction wrote them without a flush, and a
    // power cut after the commit must not leave empty files where the kept ones were deleted.
    // The plan's record itself is marked, not a copy of it; it is marked back when the mark did
    // not reach the disk.
    bool commit() {
        Journal& journal = plan_->journal;
        try {
            const auto flushes = fs_.flushBatch();
            for (const JournalMember member : journal.members) flushes->add(memberPath(layout_, member.name));
            flushes->finish();
            journal.stage = JournalStage::Committed;
            writeJournal(fs_, layout_.journal, journal);
            return true;
        } catch (const platform::FileError& error) {
            journal.stage = JournalStage::Prepared;
            log_.info(2, error.what());
            log_.info(1, {"Nie można zapisać na dysku pliku ", error.path().empty() ? layout_.journal : error.path(), "."});
            return false;
        }
    }

    InstallOutcome rollBack() {
        if (undoInstallation(log_, fs_, layout_, plan_->journal)) return InstallOutcome::RolledBack;
        return plan_->journal.userCatalog && fs_.fileExists(layout_.old) ? InstallOutcome::CatalogLeftAside
                                                                         : InstallOutcome::Unfinished;
    }

    void cleanUp() {
        log_.info(2, "FINALLY kończymy instalację.");
        if (success_) window_.SetFinish();
        else window_.hideGauge();
        if (success_ && !finishInstallation(log_, fs_, layout_, plan_->journal))
            log_.info(2, {"Zapis ", layout_.journal, " zostaje: następna instalacja dokończy porządki."});
        if (success_) leaveInstallRecord();
    }

    // The installation is done whether or not its record can be written: a failure is traced.
    void leaveInstallRecord() {
        InstallRecord record;
        record.packageName = state_.packageName;
        record.installerVersion = platform::concat({session::productVersion(), " (", session::productCommit(), ")"});
        record.dateTime = platform::localDateTimeText();
        record.files = installedFiles(*plan_);
        try {
            writeInstallRecord(fs_, layout_.installRecord, record);
            log_.info(2, {"Zapisano ", layout_.installRecord});
        } catch (const platform::FileError& error) {
            log_.info(2, {"Nie zapisano ", layout_.installRecord, ": ", error.what()});
        }
    }

    session::Log& log_;
    platform::FileSystem& fs_;
    const session::InstallerState& state_;
    toolkit::Gauge& gauge_;
    InstallWindow& window_;
    const host::HostLayout& layout_;
    std::optional<InstallationPlan> plan_;
    bool recorded_ = false;
    bool success_ = false;
};

}  // namespace

InstallOutcome runInstallTransaction(const TransactionParts& parts, const host::HostLayout& layout) {
    return Transaction(parts, layout).run();
}

}  // namespace install
