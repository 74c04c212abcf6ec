// Where the colour box goes, how big it is in each form, and the texts it shows. No windows.h.
#pragma once
#include <cstdint>

struct Rect { int left, top, right, bottom; };
struct Point { int x, y; };

// Stored as its number ("display2"): new forms go at the end.
enum class BoxForm { normal, micro, zoom, contrast };

struct FormGeometry {
  int boxHeight;
  Rect swatch;
};

constexpr int kPointerGap = 12;  // the box sits this far right of and below the pointer

// The measured colour-text width (digits at the widest digit's width, plus the margin) for the base.
int measuredTextWidth(int widestDigit, int twoSpacesWidth, bool decimal);
// The measured width of a line of text `textWidth` pixels wide: the text and the margin.
int measuredLineWidth(int textWidth);
// The box width for a measured text width: 40 up to a measurement of 34, the measurement above; both
// numbers scaled for the box's DPI, so that the zoom form's swatch keeps its room beside larger cells.
// With a magnifier of cells `cellSize` pixels a side (the zoom form; 0 for the others) the box is at least
// as wide as the square, its margins and a swatch of 8 pixels at 96 DPI.
int boxWidthFor(int measuredWidth, int dpi, int cellSize = 0);
// Height and swatch of `form` for line height h and box width w; the zoom form's magnifier has cells
// `cellSize` pixels a side (2 at 96 DPI).
FormGeometry formGeometry(BoxForm form, int h, int w, int cellSize = 2);
// Top-left corner of a following box: pushed back against the right edge, flipped above the
// pointer at the bottom edge of `screen`.
Point boxPosition(Point pointer, int boxWidth, int boxHeight, Rect screen);

// Top-left corner of a window of that size in the middle of `area` (a monitor's rectangle).
Point centredOn(Rect area, int width, int height);

// Micro form: black text on light colours (green and red or blue above 0x90), white otherwise.
bool microTextIsBlack(std::uint32_t colorRef);

// The colour as "RRGGBB" and as three right-aligned three-place fields filled with '@'.
void composeColorTexts(std::uint32_t colorRef, char hexText[7], char decText[12]);

// The layered-window alpha for an opacity in percent.
inline int opacityAlpha(int opacityPercent) { return opacityPercent * 255 / 100; }
