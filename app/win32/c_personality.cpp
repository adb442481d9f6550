// The 32-bit stub's C personality routine is the C++ one.
//
// GCC 12's link-time optimisation hands functions whose only exception work is clean-up (the
// merged static constructors, a function that builds and throws an exception) the C language's
// personality routine instead of C++'s, so libgcc's copy of it (1.5 KB) was linked beside the
// C++ one. A C++ function's tables read by the C++ routine are what a build without LTO does:
// clean-ups run in the second phase and no handler is found in the first, as with the C
// routine; and a function with a catch keeps the C++ routine anyway. Only the DWARF unwinding
// of the 32-bit build has this name; the 64-bit build unwinds through SEH.
#include <unwind.h>

extern "C" _Unwind_Reason_Code __gxx_personality_v0(int, _Unwind_Action, _Unwind_Exception_Class,
                                                    _Unwind_Exception*, _Unwind_Context*);

extern "C" _Unwind_Reason_Code __gcc_personality_v0(int version, _Unwind_Action actions,
                                                    _Unwind_Exception_Class exceptionClass,
                                                    _Unwind_Exception* exception, _Unwind_Context* context) {
    return __gxx_personality_v0(version, actions, exceptionClass, exception, context);
}
