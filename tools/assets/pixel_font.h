// Our own 5 by 7 pixel font for labels on the contact sheet and lettering on the
// generated pictures.
#pragma once

#include <string_view>

#include "pixels.h"

namespace tavrine::assets {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

/// Whether the glyph of `c` (case-insensitive) sets the pixel (x, y); unknown
/// characters draw as blanks.
bool GlyphPixel(char c, int x, int y);

/// The width in pixels of a text at a scale (one pixel of space between glyphs).
int TextWidth(std::string_view text, int scale = 1);

/// Draws a text with its top-left corner at (x, y), each font pixel as a
/// scale by scale square.
void DrawText(Image& img, int x, int y, std::string_view text, std::uint32_t argb, int scale = 1);

}  // namespace tavrine::assets
