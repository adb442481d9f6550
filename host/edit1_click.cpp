// From a picked folder to the host folder: a folder picked inside an add-on folder, or inside
// a package folder below it, leads back to the host folder above them.
#include "host/edit1_click.h"

#include "host/host_folder_text.h"
#include "platform/paths.h"

namespace host {

std::string hostFolderFromPicked(std::string_view picked) {
    std::string folder;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = picked.find(platform::kSeparator, begin);
        const std::string_view piece =
            picked.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
        if (piece == kAddOnFolderName) break;
        folder.append(piece);
        folder += platform::kSeparator;
        if (end == std::string_view::npos) break;
        begin = end + 1;
    }
    return folderProposal(folder);
}

void Edit1Click(session::Log& log, session::InstallerState& state, toolkit::Edit& Edit1,
                FolderChooser gimmeDir, platform::FunctionRef<void()> checkEdit) {
    if (!gimmeDir(state.strFolder)) return;
    const std::string s = hostFolderFromPicked(state.strFolder);
    log.info(2, {"Ustalono docelowy folder na: ", s});
    Edit1.setText(s);
    checkEdit();
}

}  // namespace host
