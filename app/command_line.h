#pragma once

#include <optional>
#include <string>

// The text `orbiza` prints for --help or --version, or nullopt when the
// window is to open. Everything else on the command line is left to Qt.
std::optional<std::string> CommandLineAnswer(int argc, char** argv);
