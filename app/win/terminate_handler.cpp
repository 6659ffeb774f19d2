// What an exception that nothing catches does: the program ends at once, as the runtime's
// own handler ends it, with the exception's message on the error output. The runtime's
// handler also names the exception's type, through the C++ demangler and a full printf:
// about 70 KB of the program file for a line that a window program seldom shows. Linked
// into the program itself, so that it stands in for the runtime's before that is needed.
#include <cstdio>
#include <cstdlib>
#include <exception>

#if defined(__GLIBCXX__)

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& error) {
            std::fputs("terminate called after throwing an exception\n  what():  ", stderr);
            std::fputs(error.what(), stderr);
            std::fputs("\n", stderr);
        } catch (...) {
            std::fputs("terminate called after throwing an exception\n", stderr);
        }
    } else {
        std::fputs("terminate called without an active exception\n", stderr);
    }
    std::abort();
}
} // namespace __gnu_cxx
#endif
