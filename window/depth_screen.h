#pragma once

#include <vector>

// A grid of depths addressed by rounded x in -482..482 and y in -458..458,
// stored row by row from the lowest y, each row from the lowest x.
struct DepthScreen {
    static constexpr int XLimit = 482;
    static constexpr int YLimit = 458;
    static constexpr int Columns = 2 * XLimit + 1;  // 965
    static constexpr int Rows = 2 * YLimit + 1;     // 917
    static constexpr float ClearDepth = 1000;
    std::vector<float> cells = std::vector<float>(Columns * Rows, 0.0f);
};

// Both raise the index-out-of-range error for a cell outside the grid (x is
// tested before y is converted) and the overflow error for a coordinate
// beyond the 16-bit range; neither touches a cell then.
float ReadDepth(const DepthScreen& store, float x, float y);
void WriteDepth(DepthScreen& store, float x, float y, float value);

void ClearDepthScreen(DepthScreen& store);
