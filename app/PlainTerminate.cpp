// An uncaught exception ends the program without a word either way: it has
// no console. The default handler would print the exception's type first,
// and brings libstdc++'s demangler (about 45 KB) into the executable for it.
#include <bits/functexcept.h>

#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// Nothing in the program catches what the containers throw, so each of these
// ended the program through the handler above. Ending it here directly keeps
// libstdc++'s exception classes out, and with them its copy-on-write strings
// and its thread library (about 55 KB).
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
