#pragma once

#include <optional>
#include <string>

// The text `orbiza` prints for --help or --version, or nullopt when the
// window is to open. Everything else on the command line is left to Qt.
std::optional<std::string> CommandLineAnswer(int argc, char** argv);

// Whether a window can be shown at all, judged before Qt starts (Qt ends the
// program when it finds no display). Qt's X11 platform, which is the
// default, needs DISPLAY or -display; any other platform, named with
// -platform or QT_QPA_PLATFORM, is left for Qt to try, as is the default
// where a Wayland display is announced.
bool DisplayExpected(int argc, char** argv);

// The line for a window that could not be shown.
inline constexpr const char* NoDisplayLine =
    "orbiza: no display could be opened; orbiza-render draws the structures without one\n";

// The line for what is left on the command line once Qt has taken its own
// options (-platform, -style, -reverse, ...), or nullopt when nothing is.
std::optional<std::string> LeftOverArgument(int argc, char** argv);

// The same judged before Qt starts, from the options Qt documents: where no
// window can open, a mistyped option is still a usage error, not a missing
// display.
std::optional<std::string> ForeignArgument(int argc, char** argv);
