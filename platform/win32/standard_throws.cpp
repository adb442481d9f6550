// The library's throw helpers (std::__throw_length_error and its kin, which the standard
// containers and strings call) for the Windows programs. libstdc++ keeps all fifteen in one
// file with a printf-like formatter for the out-of-range messages; once a program uses one,
// that file's unwind tables keep every helper, the formatter and the exception classes they
// name (bad_cast, bad_typeid) in it: 3.6 KB of the i686 installer. These are the same fifteen,
// one for one (were one missing, the library's file would come in and the link would stop on
// the duplicates), and the formatter knows the conversions the library's messages use: %s,
// %zu and %%.
#include <cstdarg>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "platform/decimal_piece.h"

#if defined(__GLIBCXX__)

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* what) { throw logic_error(what); }
void __throw_domain_error(const char* what) { throw domain_error(what); }
void __throw_invalid_argument(const char* what) { throw invalid_argument(what); }
void __throw_length_error(const char* what) { throw length_error(what); }
void __throw_out_of_range(const char* what) { throw out_of_range(what); }
void __throw_runtime_error(const char* what) { throw runtime_error(what); }
void __throw_range_error(const char* what) { throw range_error(what); }
void __throw_overflow_error(const char* what) { throw overflow_error(what); }
void __throw_underflow_error(const char* what) { throw underflow_error(what); }

void __throw_out_of_range_fmt(const char* format, ...) {
    std::string text;
    va_list arguments;
    va_start(arguments, format);
    for (const char* p = format; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            text += va_arg(arguments, const char*);
            p += 1;
        } else if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
            text += platform::DecimalPiece(va_arg(arguments, std::size_t));
            p += 2;
        } else if (p[0] == '%' && p[1] == '%') {
            text += '%';
            p += 1;
        } else {
            text += *p;
        }
    }
    va_end(arguments);
    throw out_of_range(text);
}

}  // namespace std

#endif
