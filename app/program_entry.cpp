// The program start: application, Form1 with FormCreate.
#include "app/program_entry.h"

#include "toolkit/application.h"

namespace app {

std::unique_ptr<TForm1> startInstallerWith(const InstallerOptions& options,
                                           toolkit::Backend& backend, platform::FileSystem& files,
                                           platform::System& system, LogFile* logFile) {
    toolkit::Application application;
    application.mainFormOnTaskbar = true;
    application.title = kApplicationTitle;
    backend.initialize(application);
    auto form = std::make_unique<TForm1>(backend, files, system, options);
    form->logFile = logFile;
    backend.attach(form->window);
    backend.dispatcher().formCreated(form->window);
    return form;
}

std::unique_ptr<TForm1> startInstaller(toolkit::Backend& backend, platform::FileSystem& files,
                                       platform::System& system,
                                       const std::vector<std::string>& args, LogFile* logFile) {
    return startInstallerWith(readCommandLine(args), backend, files, system, logFile);
}

}  // namespace app
