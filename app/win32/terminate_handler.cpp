// Replaces libstdc++'s verbose terminate handler. That one prints the type of the uncaught
// exception to stderr, which a window program does not have, and drags in the C++ name
// demangler and a printf (about 55 KB of the stub). Defining it here keeps the archive
// member out of the link.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
