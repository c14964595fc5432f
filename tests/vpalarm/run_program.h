#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct ProgramRun
{
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

// Runs `program` with `arguments` (each quoted) and waits for it to end.
ProgramRun runProgram(const std::string &program, const std::vector<std::string> &arguments);

} // namespace testsupport
