#include "quoted_text.h"

std::string Quoted(std::string_view text) {
    constexpr char Hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const unsigned byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f)
            quoted += c;
        else
            quoted += c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string{'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
    }
    return quoted + "\"";
}
