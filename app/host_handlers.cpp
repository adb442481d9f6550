// The host-folder field's handlers: CheckEdit on every change of Edit1's text, Edit1Click
// on a click in it (the folder chooser). The host integration fills them.
#include "app/main.h"

namespace app {

void TForm1::CheckEdit() {}

void TForm1::Edit1Click() {}

}  // namespace app
