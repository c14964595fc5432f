// What the program does when the C++ runtime gives up (an exception nobody
// catches): it ends at once. The runtime's own handler would first print the
// exception's demangled type to a console that a windowed program does not
// have, and linking it brings in the whole name demangler. Defining the
// handler here, in an object of the program itself, keeps the runtime's one
// out of the link.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx
