// What a Windows program of ours does when an exception is never caught: it ends at once, as
// the C++ runtime's default handler does after it has printed the exception's type to standard
// error. Statically linked, that default handler brings the runtime's name demangler and its
// printf along, 62 KB of the 32-bit program, for text that a program without a console shows
// nobody. Defining the handler here keeps the runtime's own definition out of the link.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler();

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
