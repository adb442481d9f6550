// ButtonInstallClick, run by a click on the Install button's Hover picture, and SetFinish.
// The handler switches the window's looks; the transaction itself is the install
// subsystem's, which pakiet runs the same way.
#include "app/main.h"
#include "install/transaction.h"

namespace app {

namespace {

// Steps 19 and 20, run on every way out of the handler: an escaping error must not leave the
// Close button disabled, the only way out of the window.
class InstallEnd {
public:
    explicit InstallEnd(TForm1& form) : form_(form) {}
    ~InstallEnd() {
        form_.bnCloseSetEnable();
        form_.bnInstallActive.setVisible(false);
        form_.bnInstallDisable.setVisible(false);
    }
    InstallEnd(const InstallEnd&) = delete;
    InstallEnd& operator=(const InstallEnd&) = delete;

private:
    TForm1& form_;
};

// The window as the transaction sees it.
class FormInstallWindow : public install::InstallWindow {
public:
    explicit FormInstallWindow(TForm1& form) : form_(form) {}
    bool CopyMdb(const std::string& nw, const std::string& od, const std::string& dn) override {
        return form_.CopyMdb(nw, od, dn);
    }
    std::optional<install::CatalogRowCounts> postedRows() const override { return form_.postedRows; }
    void SetFinish() override { form_.SetFinish(); }
    void hideGauge() override { form_.gauge.setVisible(false); }

private:
    TForm1& form_;
};

}  // namespace

void TForm1::SetFinish() {
    info(2, "SET FINISH na objektach");
    InfoLabel.setVisible(false);
    gauge.setVisible(false);
    BGfinish.setVisible(true);
    BG.setVisible(false);
    bnInstallSetDisable();
    bnInstallDisable.setVisible(false);
}

void TForm1::ButtonInstallClick() {
    gauge.setVisible(true);
    gauge.setProgress(0);
    StaticText1.setVisible(false);
    Edit1.setVisible(false);
    InfoLabel.setCaption("");
    bnInstallSetActive();
    InstallEnd end(*this);
    installOutcome = InstallOutcome::NothingChanged;
    if (!files_.fileExists(state.sourceZip)) {
        info(1, {"Wystąpił błąd instalacji. Brak pliku: ", state.sourceZip});
        return;
    }

    bnCloseSetDisable();
    info(2, "Trwa instalowanie pakietu...");
    const host::HostLayout layout = host::hostLayoutFor(Edit1.text(), state.packageName);
    info(2, {"MDB: ", layout.destination});
    FormInstallWindow formWindow(*this);
    installOutcome = InstallOutcome::RolledBack;  // what an escaping error leaves
    installOutcome = install::runInstallTransaction({*this, files_, state, gauge, formWindow}, layout);
}

}  // namespace app
