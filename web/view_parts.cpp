#include "view_parts.h"

#include <charconv>

#include "catalogue.h"
#include "random_source.h"

namespace {

std::optional<int> WholeNumber(std::string_view text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || last != end || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<int> Row(std::string_view structure) {
    if (structure.empty()) return 0;
    if (const std::optional<int> row = WholeNumber(structure, 1, CatalogueSize)) return row;
    return FindStructure(structure);
}

}  // namespace

// The parts are written into an address and read back, so each is read by
// the same rules and refused with the same words as in an address.
std::optional<ViewAddress> ViewFromParts(const ViewParts& parts, std::string* problem) {
    const std::optional<int> row = Row(parts.structure);
    if (!row) {
        *problem = "structure: \"" + std::string(parts.structure) + "\" is neither a list text nor a row 1..23";
        return std::nullopt;
    }
    const std::optional<int> seed = parts.seed.empty() ? 0 : WholeNumber(parts.seed, 1, 32768);
    if (!seed) {
        *problem = "seed: \"" + std::string(parts.seed) + "\" is not a whole number 1..32768";
        return std::nullopt;
    }
    const auto given = [](std::string_view text, std::string_view otherwise) {
        return std::string(text.empty() ? otherwise : text);
    };
    ViewAddress start;
    start.view.StructureIndex = std::int16_t(*row);
    start.showAxis = parts.showAxis;
    std::string text = ViewAddressText(start);
    text = text.substr(0, text.find(";angles=")) + ";angles=" + given(parts.angles, "0,0,0") +
           ";time=" + given(parts.time, "0") + ";speeds=" + given(parts.speeds, "0,0,0,0") +
           text.substr(text.find(";axes="));
    std::optional<ViewAddress> address = ParseViewAddress(text, problem);
    if (address && *seed > 0) {
        RandomSource random;
        NextRandom(random, std::int16_t(-*seed));
        address->randomState = random.state;
    }
    return address;
}
