// What happens when the program meets an error it cannot go on from: it
// ends at once, as the system's own programs do. The C++ runtime's usual
// handler prints the exception's demangled type first, which needs the
// demangler and printf linked in: more than half of this program's size,
// for a message a windowed program has nowhere to show.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
