// A file name with a frame number: the input's first four bytes give the
// frame, the rest is the name. Beyond what the sanitizers catch: a name is
// a template only when it has no problem, and two frames of a template
// never share a file name.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "file_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::uint32_t bits = 0;
    std::memcpy(&bits, data, 4);
    const int frame = int(bits % 100000);  // as many as --frames allows
    const std::string name(reinterpret_cast<const char*>(data + 4), size - 4);
    const bool problem = !TemplateProblem(name).empty();
    if (IsFrameTemplate(name) && problem) __builtin_trap();
    PictureFormatFor(name);
    RefusedExtension(name);
    if (problem) return 0;
    const std::string path = FramePath(name, frame);
    if (IsFrameTemplate(name) && path == FramePath(name, frame + 1)) __builtin_trap();
    return 0;
}
