#pragma once

// A failed region call or a violated invariant of the skin toolkit is a programming error: the
// program stops with the condition's text, the source file and the line, in the same words as
// the C runtime's assert, and it does so in release builds too.

namespace skin {

[[noreturn]] void assertionFailed(const char *condition, const char *file, int line);

} // namespace skin

#define SKIN_ASSERT(condition)                                                                     \
    ((condition) ? static_cast<void>(0) : ::skin::assertionFailed(#condition, __FILE__, __LINE__))
