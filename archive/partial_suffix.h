// The suffix of the temporary file a member is written to before it takes its name: the
// extraction writes it, the safety checks refuse members that bear it.
#pragma once

namespace archive {

inline constexpr const char* kPartialSuffix = ".lumor-part";

}  // namespace archive
