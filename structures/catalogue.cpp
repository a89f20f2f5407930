#include "catalogue.h"

#include <cctype>

#include "generators.h"
#include "outline.h"

const std::array<CatalogueEntry, CatalogueSize>& Catalogue() {
    static constexpr std::array<CatalogueEntry, CatalogueSize> table{{
        {"Cube", DrawCube},
        {"Tetrahedron", DrawTetrahedron},
        {"Dodecahedron", DrawDodecahedron},
        {"Sphere", DrawSphere},
        {"Torus", DrawTorus},
        {"Whirlpool", DrawWhirlpool},
        {"Spring", DrawSpring},
        {"Dumble", DrawDumble},
        {"Liniar Helix", DrawLinearHelix},
        {"Circular Helix", DrawCircularHelix},
        {"Destorted Sphere", DrawDistortedSphere},
        {"Sepal", DrawSepal},
        {"Ball", DrawBall},
        {"Hulos", DrawHulos},
        {"paraboloid", DrawParaboloid},
        {"surface", DrawSurface},
        {"Shell", DrawShell},
        {"Rosset", DrawRosset},
        {"Ripple", DrawRipple},
        {"Nodes", DrawNodes},
        {"Web", DrawWeb},
        {"Sphere-Torus Transformation", DrawSphereTorus},
        {"Rossler Chaos", DrawRossler},
    }};
    return table;
}

void RedrawScene(Scene& scene) {
    if (scene.showAxis) DrawAxes(scene.tools, scene.view.AngleX, scene.view.AngleY, scene.view.AngleZ);
    const int index = scene.view.StructureIndex;
    if (index >= 1 && index <= CatalogueSize) Catalogue()[index - 1].generator(scene);
}

std::optional<int> FindStructure(std::string_view listText) {
    const auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (int row = 1; row <= CatalogueSize; ++row)
        if (same(Catalogue()[row - 1].listText, listText)) return row;
    return std::nullopt;
}
