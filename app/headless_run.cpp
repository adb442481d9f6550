// The headless run: start-up, the loop (the timer's tick runs the preparation, then the loop
// runs dry), the log box printed, Close.
#include "app/headless_run.h"

#include "app/program_entry.h"
#include "toolkit/headless/headless_backend.h"

namespace app {

int runHeadless(platform::FileSystem& files, platform::System& system,
                const std::vector<std::string>& args, std::ostream& out,
                toolkit::ImageDecoder* decoder) {
    toolkit::HeadlessBackend backend(decoder);
    auto form = startInstaller(backend, files, system, args);
    backend.run(form->window);
    const toolkit::MemoLines& lines = form->infoBox.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) out << lines[i] << '\n';
    backend.clickOn("bnCloseNormal");
    for (const std::string& report : backend.errorReports()) out << "error: " << report << '\n';
    return backend.errorReports().empty() ? 0 : 1;
}

}  // namespace app
