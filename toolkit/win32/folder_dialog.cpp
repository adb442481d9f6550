// IFileOpenDialog with FOS_PICKFOLDERS; see folder_dialog.h.
#include "toolkit/win32/folder_dialog.h"

#include <shobjidl.h>

#include <stdexcept>

#include "toolkit/toolkit_error.h"
#include "toolkit/win32/com_ptr.h"
#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

std::optional<std::string> pickFolder(HWND owner, const std::string& title, const std::string& start) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.putVoid())))
        throw ToolkitError(ToolkitFault::FolderChooserUnavailable, "");
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    dialog->SetTitle(widen(title).c_str());
    if (!start.empty()) {
        ComPtr<IShellItem> folder;
        // A start folder that does not exist is no error: the dialog opens where it likes.
        if (SUCCEEDED(SHCreateItemFromParsingName(widen(start).c_str(), nullptr, IID_IShellItem, folder.putVoid())))
            dialog->SetFolder(folder.get());
    }
    if (FAILED(dialog->Show(owner))) return std::nullopt;  // cancelled or closed
    ComPtr<IShellItem> picked;
    if (FAILED(dialog->GetResult(picked.put()))) return std::nullopt;
    PWSTR path = nullptr;
    if (FAILED(picked->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return std::nullopt;
    std::string result = narrow(path);
    CoTaskMemFree(path);
    return result;
}

}  // namespace toolkit::win32
