// The install transaction: pre-checks, the record, the user's catalog set aside, the package
// extracted with the files it replaces kept aside, the merge and its check, then commit or
// roll back. The window, the silent installer and pakiet install run this same code; the
// window's own looks and its merge come in through InstallWindow.
#pragma once

#include <optional>
#include <string>

#include "host/host_layout.h"
#include "install/merged_catalog_check.h"
#include "platform/file_system.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/gauge.h"

namespace install {

// How the one installation attempt of a run ended.
enum class InstallOutcome {
    NotStarted,
    Finished,          // merged catalog checked; finish state shown
    NothingChanged,    // stopped before the host folder changed (archive, checks, leftovers)
    RolledBack,        // failed; the host folder is as it was
    CatalogLeftAside,  // failed; the user's catalog stays at "dodatki_old.mdb" (named in the log)
    Unfinished,        // failed; some files could not be put back, the record stays for the next run
};

// What the transaction needs of the window that runs it.
class InstallWindow {
public:
    virtual ~InstallWindow() = default;
    // The catalog merge (new, old and destination catalog paths); true on success.
    virtual bool CopyMdb(const std::string& nw, const std::string& od, const std::string& dn) = 0;
    // Rows the last successful merge wrote to each table; nothing when it told none.
    virtual std::optional<CatalogRowCounts> postedRows() const = 0;
    virtual void SetFinish() = 0;
    virtual void hideGauge() = 0;
};

struct TransactionParts {
    session::Log& log;
    platform::FileSystem& fs;
    const session::InstallerState& state;
    toolkit::Gauge& gauge;
    InstallWindow& window;
};

// Runs the transaction from the archive's check on (the window has switched its looks and
// logged the catalog's path). An error that escapes is thrown on after the roll-back.
InstallOutcome runInstallTransaction(const TransactionParts& parts, const host::HostLayout& layout);

}  // namespace install
