// ButtonInstallClick, the install transaction run by a click on the Install button's Hover
// picture. The install transaction fills it.
#include "app/main.h"

namespace app {

void TForm1::ButtonInstallClick() {}

}  // namespace app
