#include "command_line.h"

#include <string_view>

#include "licence.h"

namespace {

constexpr const char* HelpText = R"(Usage: orbiza [OPTION]
Opens the Orbiza window: a viewer of 23 wire-frame mathematical structures,
turned by buttons, animated by a timer and drawn as depth-cued coloured lines.

Pick a structure in the list, turn it with the + and --- buttons, set a speed
bar and press Start to animate it, and save the picture as a BMP file.
Nothing is read at start and nothing is kept between runs.

Options:
  -h, --help           show this text and exit
  --version            print the program's version and exit

Other options are those of Qt, for example -platform or -style.
See orbiza-render(1) for drawing the structures without a window.
)";

}  // namespace

std::optional<std::string> CommandLineAnswer(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") return HelpText;
        if (argument == "--version") return std::string("orbiza " ORBIZA_VERSION "\n") + LicenceLines;
    }
    return std::nullopt;
}
