#include <unistd.h>

#include <csignal>
#include <iostream>

#include "options.h"
#include "render_job.h"
#include "targets.h"
#include "video_writer.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit then fails the write instead of killing us mid-file
#endif
    // A reader that goes away is a failed write: the run then removes what it
    // began before it ends, which SIGPIPE itself would not let it do.
    std::signal(SIGPIPE, SIG_IGN);
    SilenceVideoLibraries();
    ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "orbiza-render: " << parsed.error << '\n';
        return parsed.ExitStatus();
    }
    if (const TargetCheck check = CheckTargets(parsed.options); check.status != 0) {
        std::cerr << "orbiza-render: " << check.problem << '\n';
        return check.status;
    }
    parsed.options.progress = isatty(STDERR_FILENO) == 1;
    TemporaryFiles temporaries;
    SignalWatch watch;  // before any worker thread starts, so that none of them takes the signals
    StartSignalWatch(watch, temporaries,
                     std::string(ShowsProgress(parsed.options) ? "\n" : "") + "orbiza-render: interrupted\n");
    parsed.options.simd = StartUpSimdLevel();
    return RunRender(parsed.options, temporaries, std::cerr);
}
