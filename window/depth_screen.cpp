#include "depth_screen.h"

#include <algorithm>

#include "numbers.h"

namespace {

int CheckedIndex(float coordinate, int limit) {
    const int index = RoundToInt16(double(coordinate));
    if (index < -limit || index > limit) RaiseIndexOutOfRange();
    return index + limit;
}

// x is converted and tested before y is looked at.
std::size_t CellOf(float x, float y) {
    const int column = CheckedIndex(x, DepthScreen::XLimit);
    const int row = CheckedIndex(y, DepthScreen::YLimit);
    return std::size_t(row) * DepthScreen::Columns + std::size_t(column);
}

}  // namespace

float ReadDepth(const DepthScreen& store, float x, float y) { return store.cells[CellOf(x, y)]; }

void WriteDepth(DepthScreen& store, float x, float y, float value) { store.cells[CellOf(x, y)] = value; }

// Every cell once, which is what a pass over all integer pairs amounts to.
void ClearDepthScreen(DepthScreen& store) {
    std::fill(store.cells.begin(), store.cells.end(), DepthScreen::ClearDepth);
}
