#pragma once
#include <cstdint>
#include <string>

namespace lumor {

/// A pen colour as 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb kBlackPen = 0x000000;
constexpr Rgb kLightBluePen = 0xA6CAF0;
constexpr Rgb kGreenPen = 0x008000;
constexpr Rgb kRedPen = 0xFF0000;

/// What the graph drawing needs of a picture: a white brush, a 1-pixel pen whose colour
/// changes, lines between pixels and opaque texts in the default font.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    /// Fills the whole picture with the brush (white).
    virtual void fill() = 0;
    virtual void setPen(Rgb colour) = 0;
    /// A line from (x1, y1) towards (x2, y2): the first point drawn, the last not, one pixel
    /// per step along the longer axis, the one nearest the ideal line; equal points draw
    /// nothing.
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    /// A text on the brush colour, its cell's top-left corner at (x, y).
    virtual void text(int x, int y, const std::string& text) = 0;
};

}  // namespace lumor
