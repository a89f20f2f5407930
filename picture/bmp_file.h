#pragma once

#include <string>

#include "canvas.h"

// The picture as a 24-bit BMP file: rows bottom-up, blue-green-red, each
// padded to four bytes, 100 dots per inch whatever the screen, so the same
// picture gives the same bytes from the window, the renderer and the page.
// Replaces `bytes`, whose storage is reused.
void EncodeBmp(const Canvas& surface, std::string& bytes);
