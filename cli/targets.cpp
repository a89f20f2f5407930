#include "targets.h"

#include <unistd.h>

#include <unordered_map>

#include "number_reading.h"
#include "output_place.h"

namespace {

// A file as the user named it: a frame file with its name's template.
std::string Shown(const std::string& path, const std::string& name, int frame) {
    if (path == "-") return "standard output (\"-\")";
    if (!IsFrameTemplate(path)) return Quoted(name);
    return Quoted(name) + " (frame " + std::to_string(frame) + " of " + Quoted(path) + ")";
}

}  // namespace

TargetCheck CheckTargets(const RenderOptions& options) {
    if (options.help || options.version || options.list) return {};
    std::vector<std::string> paths = options.outputs;
    paths.insert(paths.end(), options.segments.begin(), options.segments.end());
    std::unordered_map<std::string, std::string> reached;  // a place's key, and the first file that reaches it
    std::string writeProtected;
    for (const std::string& path : paths) {
        const int files = IsFrameTemplate(path) ? options.frames : 1;
        for (int frame = 0; frame < files; ++frame) {
            const std::string name = path == "-" ? path : FramePath(path, frame);  // as the writers name it
            const Destination place = name == "-" ? DescriptorDestination(STDOUT_FILENO) : FindDestination(name);
            const auto [first, isNew] = reached.emplace(place.key, Shown(path, name, frame));
            if (!isNew)
                return {2, first->second + " and " + Shown(path, name, frame) +
                               " reach the same place; give each output a place of its own"};
            if (place.writeProtected && writeProtected.empty()) writeProtected = Shown(path, name, frame);
        }
    }
    if (!writeProtected.empty()) return {1, writeProtected + " is write-protected"};
    return {};
}
