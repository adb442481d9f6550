// AfterShow, the preparation sequence run by the first timer tick. Its closing steps: the
// busy indicator goes and the Close button returns to its normal look.
#include "app/main.h"

namespace app {

void TForm1::AfterShow() {
    ActivityIndicator.setVisible(false);
    bnCloseSetEnable();
}

}  // namespace app
