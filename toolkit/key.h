// The keys the window acts on itself; every other key goes to the focused child as typed.
#pragma once

namespace toolkit {

enum class Key { Tab, BackTab, Enter, Space, Escape };

}  // namespace toolkit
