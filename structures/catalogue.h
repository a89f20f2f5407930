#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "scene.h"

struct CatalogueEntry {
    std::string_view listText;
    void (*generator)(Scene&);
};

inline constexpr int CatalogueSize = 23;

// The catalogue in list order; row N (1-based) is entry N - 1.
const std::array<CatalogueEntry, CatalogueSize>& Catalogue();

// Draws the axes when asked, then the selected structure; clears nothing.
void RedrawScene(Scene& scene);

// The 1-based row whose list text matches, ignoring case.
std::optional<int> FindStructure(std::string_view listText);
