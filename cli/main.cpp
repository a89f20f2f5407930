#include <unistd.h>

#include <csignal>
#include <iostream>

#include "options.h"
#include "render_job.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit then fails the write instead of killing us mid-file
#endif
    std::signal(SIGPIPE, SIG_IGN);  // a reader that goes away is a failed write, reported as such
    ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "orbiza-render: " << parsed.error << '\n';
        return parsed.ExitStatus();
    }
    parsed.options.progress = isatty(STDERR_FILENO) == 1;
    parsed.options.simd = StartUpSimdLevel();
    return RunRender(parsed.options, std::cout, std::cerr);
}
