// The renderer's command line: the input is its arguments, each ended by a
// NUL byte. Beyond what the sanitizers catch: a refusal is one line, and a
// command line accepted for drawing gives every output a format (--list,
// --help and --version only print, whatever else is given), and its --input
// one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += char(data[i]);
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.error.find('\n') != std::string::npos) __builtin_trap();
    const RenderOptions& o = parsed.options;
    if (parsed.error.empty() && !o.list && !o.help && !o.version)  // these print and write no file
        for (const std::string& path : o.outputs)
            if (!OutputFormat(o, path)) __builtin_trap();
    if (parsed.error.empty() && !o.input.empty() && !o.inputFormat && !LineFormatOfFile(o.input)) __builtin_trap();
    return 0;
}
