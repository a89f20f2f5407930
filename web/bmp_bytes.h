#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// The picture as a 24-bit BMP file, byte for byte what the desktop's export
// writes for the same surface: rows bottom-up, blue-green-red, each padded to
// four bytes, 100 dots per inch.
void WriteBmp(const Canvas& surface, std::vector<std::uint8_t>& bytes);
