#pragma once

// Whether this process is a 32-bit process on 64-bit Windows (WOW64), where
// the driver expects its requests in the 64-bit-host layout. The answer
// belongs to the process, not to the device behind it, so the driver device
// and the emulated notebook ask the same probe.
bool processRunsUnderWow64();
