#include "skin/skin_assert.h"

#include <cstdio>
#include <cstdlib>

namespace skin {

void assertionFailed(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", condition, file, line);
    std::fflush(stderr);
    std::abort();
}

} // namespace skin
