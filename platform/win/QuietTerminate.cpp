// GNU's default terminate handler prints the escaping exception's demangled type to stderr,
// which a GUI program does not have, and links in the demangler (about 46 KB). Defining the
// handler here keeps that out: an exception that escapes every catch ends the program as
// std::abort does. Linked into each program directly, so it wins over the library's.
#include <cstdlib>  // first: it defines __GLIBCXX__ for GNU's library

#if defined(__GLIBCXX__)

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
