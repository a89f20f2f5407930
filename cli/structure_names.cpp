#include "structure_names.h"

#include <algorithm>
#include <cctype>

#include "catalogue.h"

namespace {

// The plain letters of U+00C0..U+00FF, upper case folded to lower; '?' where none.
constexpr std::string_view Latin1Letters = "aaaaaaaceeeeiiii?nooooo?ouuuuy??aaaaaaaceeeeiiii?nooooo?ouuuuy?y";

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string FoldedName(std::string_view name) {
    std::string folded;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == 0xC3 && i + 1 < name.size()) {
            const unsigned char next = static_cast<unsigned char>(name[i + 1]);
            if (next >= 0x80 && next <= 0xBF) {
                folded += next == 0x9F ? std::string("ss") : std::string(1, Latin1Letters[next - 0x80]);
                ++i;
                continue;
            }
        }
        folded += char(std::tolower(c));
    }
    return folded;
}

std::vector<std::string_view> NearestStructures(std::string_view name) {
    const std::string wanted = FoldedName(name);
    const std::size_t allowed = std::max<std::size_t>(2, wanted.size() / 4);
    std::vector<std::pair<std::size_t, std::string_view>> ranked;
    for (const CatalogueEntry& entry : Catalogue()) {
        const std::string text = FoldedName(entry.listText);
        const bool contains = wanted.size() >= 3 && text.find(wanted) != std::string::npos;
        const std::size_t distance = contains ? 0 : EditDistance(wanted, text);
        if (distance <= allowed) ranked.emplace_back(distance, entry.listText);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < ranked.size() && i < 3; ++i) names.push_back(ranked[i].second);
    return names;
}
