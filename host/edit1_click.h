// Edit1Click: a click on the folder field opens the folder chooser; the picked folder is
// led back to its host folder (cut at the first piece "dodatki") and put into the field.
#pragma once

#include <string>
#include <string_view>

#include "platform/function_ref.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/edit.h"

namespace host {

// The folder chooser: opens in the folder passed, stores the picked one (ending with the
// separator) there and returns true; false on cancel, leaving it unchanged.
using FolderChooser = platform::FunctionRef<bool(std::string& folder)>;

// The host folder for a picked folder: its pieces up to, not including, the first one that is
// exactly "dodatki", trimmed, with exactly one trailing separator.
std::string hostFolderFromPicked(std::string_view picked);

// `checkEdit` is the field's change handler, run once more directly after the assignment so
// that the check runs even when the text did not change.
void Edit1Click(session::Log& log, session::InstallerState& state, toolkit::Edit& Edit1,
                FolderChooser gimmeDir, platform::FunctionRef<void()> checkEdit);

}  // namespace host
