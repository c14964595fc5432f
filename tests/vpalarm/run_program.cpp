#include "tests/vpalarm/run_program.h"

#include <cstdio>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace testsupport {

ProgramRun runProgram(const std::string &program, const std::vector<std::string> &arguments)
{
    std::string command = "\"" + program + "\"";
    for (const std::string &argument : arguments)
        command += " \"" + argument + "\"";
    command += " 2>&1";
#ifdef _WIN32
    // cmd.exe drops the outermost quotes of the whole line.
    command = "\"" + command + "\"";
    FILE *pipe = _popen(command.c_str(), "r");
#else
    FILE *pipe = popen(command.c_str(), "r");
#endif
    ProgramRun run;
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
#ifdef _WIN32
    run.exitCode = _pclose(pipe);
#else
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return run;
}

} // namespace testsupport
