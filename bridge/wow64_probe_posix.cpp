#include "bridge/wow64_probe.h"

// Outside Windows there is no 32-bit subsystem of a 64-bit host: a 32-bit
// build sends the native layout, a 64-bit one always the 64-bit-host layout.
bool processRunsUnderWow64()
{
    return false;
}
