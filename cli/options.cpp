#include "options.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <limits>
#include <map>

#include "canvas.h"
#include "catalogue.h"
#include "gif_writer.h"
#include "number_reading.h"
#include "structure_names.h"

namespace {

struct CommandLineError {
    std::string message;
};

// A reader's answer, or the option's error with the reader's reason.
template <typename T>
T Checked(std::string_view option, std::optional<T> value, const std::string& problem) {
    if (!value) throw CommandLineError{std::string(option) + ": " + problem};
    return *value;
}

float DecimalOrThrow(std::string_view option, std::string_view text) {
    std::string problem;
    return Checked(option, ReadFloat(text, &problem), problem);
}

std::vector<float> DecimalList(std::string_view option, std::string_view text, size_t count) {
    const std::vector<std::string_view> fields = SplitText(text, ',');
    if (fields.size() != count)
        throw CommandLineError{std::string(option) + ": expected " + std::to_string(count) +
                               " comma-separated numbers, got " + Quoted(text)};
    std::vector<float> values;
    for (std::string_view field : fields) values.push_back(DecimalOrThrow(option, field));
    return values;
}

int IntegerInRange(std::string_view option, std::string_view text, int low, int high) {
    std::string problem;
    return Checked(option, ReadWholeNumber(text, low, high, &problem), problem);
}

std::string Suggestions(std::string_view name) {
    std::string names;
    for (std::string_view text : NearestStructures(name)) names += (names.empty() ? "" : " or ") + Quoted(text);
    const std::string list = "--list shows all " + std::to_string(CatalogueSize) + " with their positions";
    return names.empty() ? " (" + list + ")" : "; did you mean " + names + "? (" + list + ")";
}

double ScaleOrThrow(std::string_view text) {
    double value = 0;
    if (ReadDecimal(text, value) != NumberFault::None || !(value >= Canvas::MinScale && value <= Canvas::MaxScale))
        throw CommandLineError{"--scale: " + Quoted(text) + " is not a scale from 0.25 to 8"};
    return value;
}

void CheckTemplate(std::string_view option, std::string_view path) {
    const std::string problem = TemplateProblem(path);
    if (!problem.empty()) throw CommandLineError{std::string(option) + ": " + Quoted(path) + ": " + problem};
}

int StructureOrThrow(std::string_view text) {
    const bool digits = !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
    if (const std::optional<int> row = digits ? ReadWholeNumber(text, 1, CatalogueSize) : FindStructure(text))
        return *row;
    throw CommandLineError{"unknown structure " + Quoted(text) + Suggestions(text)};
}

using ValueHandler = std::function<void(RenderOptions&, std::string_view)>;

const std::map<std::string, ValueHandler, std::less<>>& ValueOptions() {
    static const std::map<std::string, ValueHandler, std::less<>> handlers{
        {"--angles",
         [](RenderOptions& o, std::string_view v) {
             const std::vector<float> a = DecimalList("--angles", v, 3);
             o.angleX = a[0], o.angleY = a[1], o.angleZ = a[2];
         }},
        {"--time", [](RenderOptions& o, std::string_view v) { o.time = DecimalOrThrow("--time", v); }},
        {"--ticks",
         [](RenderOptions& o, std::string_view v) {
             o.ticks = IntegerInRange("--ticks", v, 0, std::numeric_limits<int>::max());
         }},
        {"--speeds",
         [](RenderOptions& o, std::string_view v) {
             std::string problem;
             o.speeds = Checked("--speeds", ReadSpeeds(v, &problem), problem);
         }},
        {"--frames", [](RenderOptions& o, std::string_view v) { o.frames = IntegerInRange("--frames", v, 1, 100000); }},
        {"--delay", [](RenderOptions& o, std::string_view v) { o.delay = IntegerInRange("--delay", v, 10, 10000); }},
        {"--format",
         [](RenderOptions& o, std::string_view v) {
             o.format = PictureFormatNamed(v);
             if (!o.format) throw CommandLineError{"--format: " + Quoted(v) + " is not one of " + PictureFormatNames()};
         }},
        {"--seed", [](RenderOptions& o, std::string_view v) { o.seed = IntegerInRange("--seed", v, 1, 32768); }},
        {"--scale", [](RenderOptions& o, std::string_view v) { o.scale = ScaleOrThrow(v); }},
        {"--output",
         [](RenderOptions& o, std::string_view v) {
             if (v.empty()) throw CommandLineError{"--output: empty file name"};
             CheckTemplate("--output", v);
             o.outputs.emplace_back(v);
         }},
        {"--view",
         [](RenderOptions& o, std::string_view v) {
             std::string problem;
             o.view = ParseViewAddress(v, &problem);
             if (!o.view) throw CommandLineError{"--view: " + problem};
         }},
        {"--input",
         [](RenderOptions& o, std::string_view v) {
             if (v.empty()) throw CommandLineError{"--input: empty file name"};
             if (!o.input.empty()) throw CommandLineError{"--input: one file of lines is drawn, not two"};
             o.input = v;
         }},
        {"--input-format",
         [](RenderOptions& o, std::string_view v) {
             o.inputFormat = LineFormatNamed(v);
             if (!o.inputFormat)
                 throw CommandLineError{"--input-format: " + Quoted(v) + " is not one of " + LineFormatNames()};
         }},
        {"--segments",
         [](RenderOptions& o, std::string_view v) {
             if (v.empty()) throw CommandLineError{"--segments: empty file name"};
             CheckTemplate("--segments", v);
             o.segments.emplace_back(v);
         }},
    };
    return handlers;
}

bool FlagOption(RenderOptions& options, std::string_view arg) {
    if (arg == "--help" || arg == "-h") return options.help = true;
    if (arg == "--version") return options.version = true;
    if (arg == "--list") return options.list = true;
    if (arg == "--axes") return options.showAxis = true;
    if (arg == "--quiet") return options.quiet = true;
    if (arg == "--no-fit") return !(options.fitInput = false);
    return false;
}

// What an address holds too; with --view it would be said twice.
bool SetsTheView(std::string_view name) {
    for (std::string_view option : {"--angles", "--time", "--speeds", "--axes", "--seed", "--ticks"})
        if (name == option) return true;
    return false;
}

// The lines of --input take a structure's place, and their format is known
// before anything is read.
void CheckInput(const RenderOptions& options, const std::string& firstStructure) {
    if (options.input.empty()) {
        if (options.inputFormat) throw CommandLineError{"--input-format: there is no --input FILE to read"};
        if (!options.fitInput) throw CommandLineError{"--no-fit: there is no --input FILE to place"};
        return;
    }
    if (!firstStructure.empty())
        throw CommandLineError{"--input cannot be combined with " + firstStructure + ": the lines take its place"};
    if (options.inputFormat || LineFormatOfFile(options.input)) return;
    throw CommandLineError{
        "--input: " + (options.input == "-" ? std::string("standard input") : Quoted(options.input)) +
        " names no format of lines; name it with --input-format " + LineFormatNames() +
        " (a file's name may say it: " + LineFormatEndings() + ")"};
}

// Options take their value as the next argument or after '='; "--" ends the options.
void ParseInto(RenderOptions& options, const std::vector<std::string>& args) {
    bool optionsEnded = false;
    std::string setsTheView;     // the first option or structure that does
    std::string firstStructure;  // as given
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            options.structures.push_back(StructureOrThrow(arg));
            if (firstStructure.empty()) firstStructure = "the structure " + Quoted(arg);
            if (setsTheView.empty()) setsTheView = firstStructure;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        if (setsTheView.empty() && SetsTheView(name)) setsTheView = name;
        if (FlagOption(options, arg)) continue;
        const auto handler = ValueOptions().find(name);
        if (handler == ValueOptions().end())
            throw CommandLineError{"unknown option " + Quoted(arg) + " (--help lists the options)"};
        if (equals != std::string_view::npos) {
            handler->second(options, arg.substr(equals + 1));
        } else {
            if (i + 1 == args.size()) throw CommandLineError{std::string(name) + ": missing value"};
            handler->second(options, args[++i]);
        }
    }
    if (options.view && !setsTheView.empty())
        throw CommandLineError{"--view cannot be combined with " + setsTheView + ": the address holds the whole view"};
    CheckInput(options, firstStructure);
}

}  // namespace

std::optional<FileFormat> OutputFormat(const RenderOptions& options, std::string_view path) {
    const std::optional<FileFormat> named = PictureFormatFor(path);
    return named ? named : options.format;
}

// Every output has a format, at most one goes to standard output, and a GIF's
// frame time is one it can hold.
static void CheckOutputs(const RenderOptions& options) {
    int toStandardOutput = int(std::ranges::count(options.segments, "-"));
    for (const std::string& path : options.outputs) {
        if (const std::string_view refused = RefusedExtension(path); !refused.empty())
            throw CommandLineError{"--output: " + Quoted(path) + ": this program does not write " +
                                   std::string(refused) + " files (it writes " + PictureFormatNames() + ")"};
        const std::optional<FileFormat> format = OutputFormat(options, path);
        if (!format)
            throw CommandLineError{
                "--output: " + Quoted(path) +
                " names no supported format (use the extension or --format: " + PictureFormatNames() + ")"};
        if (*format == FileFormat::Gif && options.delay % GifDelayStep != 0)
            throw CommandLineError{"--delay: a GIF holds frame times in steps of " + std::to_string(GifDelayStep) +
                                   " ms; " + std::to_string(options.delay) + " ms is not one"};
        toStandardOutput += path == "-";
    }
    if (toStandardOutput > 1) throw CommandLineError{"only one output can go to standard output (\"-\")"};
}

// What the options ask for as a whole: something to write, and one file per
// frame or an animation when there are several frames.
static void CheckCombination(const RenderOptions& options) {
    if (options.list) return;
    if (options.outputs.empty() && options.segments.empty())
        throw CommandLineError{"nothing to write: give --output FILE or --segments FILE (see --help)"};
    CheckOutputs(options);
    if (options.frames == 1) return;
    for (const std::string& path : options.outputs)
        if (!IsAnimation(*OutputFormat(options, path)) && !IsFrameTemplate(path))
            throw CommandLineError{"--output: " + Quoted(path) +
                                   " holds one picture; with --frames above 1 give a name with a frame number "
                                   "(such as frame-%04d.png) or a .webp, .gif, .mp4 or .webm file"};
    for (const std::string& path : options.segments)
        if (!IsFrameTemplate(path))
            throw CommandLineError{"--segments: " + Quoted(path) +
                                   " holds the segments of one picture; with --frames above 1 give a name with a "
                                   "frame number (such as segments-%04d.csv)"};
}

// --help and --version win over everything else on the line.
static bool AsksForHelpOrVersion(RenderOptions& options, const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") options.help = true;
        if (arg == "--version") options.version = true;
    }
    return options.help || options.version;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    if (AsksForHelpOrVersion(parsed.options, args)) return parsed;
    try {
        ParseInto(parsed.options, args);
        CheckCombination(parsed.options);
    } catch (const CommandLineError& e) {
        parsed.error = e.message;
    }
    return parsed;
}
