// The type of every component event: a handler without arguments. Handlers that the window
// design binds ignore their sender, so none is passed; the Dispatcher calls them.
#pragma once

#include <functional>

namespace toolkit {

using Event = std::function<void()>;

}  // namespace toolkit
