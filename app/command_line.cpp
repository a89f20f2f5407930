#include "command_line.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "licence.h"

namespace {

// Keep the layout help2man reads (see cli/usage.cpp): options as
// "  -x, --long ARG  text" with continuation lines at the text's column,
// and prose at the left margin.
constexpr const char* HelpText = R"(Usage: orbiza [OPTION]
Opens the Orbiza window: a viewer of 23 wire-frame mathematical structures,
turned by buttons, animated by a timer and drawn as depth-cued coloured lines.

Pick a structure in the list, turn it with the + and --- buttons, set a speed
bar and press Start to animate it, and save the picture as a BMP file.
Nothing is read at start and nothing is kept between runs.

Options:
  -h, --help           show this text and exit
  --version            print the program's version and exit

Other options are those of Qt, for example -platform or -style. Without a
display the window cannot open: orbiza-render(1) draws the structures
without one.
)";

// Qt's own options, for QApplication and its X11 platform: those that take
// the next argument as their value, and those that stand alone. Each may
// also be written with two dashes, and a valued one as -name=value.
constexpr std::string_view QtValueOptions[] = {"-style",
                                               "-stylesheet",
                                               "-platform",
                                               "-platformpluginpath",
                                               "-platformtheme",
                                               "-plugin",
                                               "-qwindowgeometry",
                                               "-qwindowicon",
                                               "-qwindowtitle",
                                               "-session",
                                               "-display",
                                               "-geometry",
                                               "-title",
                                               "-icon",
                                               "-name",
                                               "-visual",
                                               "-qmljsdebugger",
                                               "-dialogs",
                                               "-fontengine"};
constexpr std::string_view QtFlags[] = {"-widgetcount", "-reverse", "-sync", "-nograb", "-dograb", "-testability"};

std::string LeftOverLine(std::string_view argument) {
    const std::string kind = argument.starts_with("-") ? "unknown option" : "unexpected argument";
    return "orbiza: " + kind + " \"" + std::string(argument) + "\" (--help lists the options)\n";
}

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The value of Qt's option `name` (given with one dash or two), or null.
const char* QtOption(int argc, char** argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with("--")) argument.remove_prefix(1);
        if (argument == name) return argv[i + 1];
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> CommandLineAnswer(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") return HelpText;
        if (argument == "--version") return std::string("orbiza " ORBIZA_VERSION "\n") + LicenceLines;
    }
    return std::nullopt;
}

bool DisplayExpected(int argc, char** argv) {
    const char* named = QtOption(argc, argv, "-platform");
    if (!named && Set("QT_QPA_PLATFORM")) named = std::getenv("QT_QPA_PLATFORM");
    if (named && !std::string_view(named).starts_with("xcb")) return true;
    if (QtOption(argc, argv, "-display") || Set("DISPLAY")) return true;
    return !named && Set("WAYLAND_DISPLAY");
}

std::optional<std::string> LeftOverArgument(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    return LeftOverLine(argv[1]);
}

std::optional<std::string> ForeignArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option.starts_with("--")) option.remove_prefix(1);
        const std::string_view name = option.substr(0, option.find('='));
        const auto is = [name](std::string_view known) { return name == known; };
        if (std::ranges::any_of(QtFlags, is) && name == option) continue;
        if (!std::ranges::any_of(QtValueOptions, is)) return LeftOverLine(argv[i]);
        if (name == option) ++i;  // its value follows
    }
    return std::nullopt;
}
