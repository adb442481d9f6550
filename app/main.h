// TForm1, the installer's one window: the window design with its components, the installer
// state, the log (status label and log box), start-up, the timer, the button operations and
// Close. The preparation sequence, the install transaction and the host-folder handlers are
// methods too, each in a file of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/log_file.h"
#include "install/transaction.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "catalog/database_components.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/backend.h"
#include "ui/form1_design.h"
#include "ui/form1_handlers.h"

namespace app {

using install::InstallOutcome;

class TForm1 : public ui::Form1Handlers, public ui::Form1Design, public session::Log {
public:
    // `options` are the command line as readCommandLine read it.
    TForm1(toolkit::Backend& backend, platform::FileSystem& files, platform::System& system,
           const InstallerOptions& options);
    // The backend's window goes first: it reads the form, the components and Timer1 while
    // it is destroyed, and they are all members of this object.
    ~TForm1() override;

    // level 1: status label and log box; level 2: log box only; above log_level: dropped.
    void info(std::int32_t lvl, std::string_view txt) override;
    using session::Log::info;

    // Handlers bound by the window design.
    void FormCreate() override;
    void Timer1Timer() override;
    void CloseClick() override;
    // The window closed by other means than Close; the backend closes it afterwards.
    void FormClose() override;
    void bnCloseEnter() override;
    void bnCloseLeave() override;
    void bnInstallEnter() override;
    void bnInstallLeave() override;
    void ButtonInstallClick() override;
    void CheckEdit() override;
    void Edit1Click() override;

    void CenterForm();
    void AfterShow();
    void SetFinish();
    // The catalog merge of the install transaction (new, old and destination catalog paths);
    // on success postedRows tells what it wrote to each table.
    bool CopyMdb(const std::string& nw, const std::string& od, const std::string& dn);

    void bnInstallSetDisable();
    void bnInstallSetEnable();
    void bnInstallSetHover();
    void bnInstallSetActive();
    void bnCloseSetEnable();
    void bnCloseSetDisable();

    session::InstallerState state;
    catalog::DatabaseComponents database;
    // Rows the last successful CopyMdb wrote to each table; empty when it told none.
    std::optional<install::CatalogRowCounts> postedRows;
    InstallOutcome installOutcome = InstallOutcome::NotStarted;
    // Where every log line is copied too (/LOG=), when given.
    LogFile* logFile = nullptr;

    toolkit::Backend& backend() { return backend_; }
    platform::FileSystem& files() { return files_; }
    platform::System& system() { return system_; }

private:
    // Close's clean-up of the working folder, whichever way the window closes.
    void removeWorkingFiles();

    toolkit::Backend& backend_;
    platform::FileSystem& files_;
    platform::System& system_;
    // What the window takes from the command line: FormCreate the log level, AfterShow the
    // given host folder.
    const session::LogLevel givenLogLevel_;
    const std::optional<std::string> givenHostFolder_;
};

}  // namespace app
