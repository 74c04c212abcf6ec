#include "box/box_geometry.h"

#include <cstdio>

#include "box/dpi_scale.h"
#include "box/magnifier.h"

int measuredTextWidth(int widestDigit, int twoSpacesWidth, bool decimal) {
  const int digits = decimal ? 9 * widestDigit + twoSpacesWidth : 6 * widestDigit;
  return measuredLineWidth(digits);
}

int measuredLineWidth(int textWidth) { return textWidth + 8; }

int boxWidthFor(int measuredWidth, int dpi, int cellSize) {
  const int forText = measuredWidth <= scaleForDpi(34, dpi) ? scaleForDpi(40, dpi) : measuredWidth;
  if (cellSize <= 0) return forText;
  // With 2-pixel cells at 96 DPI (3 at 144, 4 at 192) this is the width the box always had there.
  const int forSquare = squareSide(cellSize) + 2 * kSquareLeft + scaleForDpi(8, dpi) + 2;
  return forText > forSquare ? forText : forSquare;
}

FormGeometry formGeometry(BoxForm form, int h, int w, int cellSize) {
  const int square = squareSide(cellSize), gap = kSquareLeft;  // the swatch keeps the square's margin
  switch (form) {
    case BoxForm::micro: return {h + 2, {1, 1, w - 1, h + 1}};
    case BoxForm::zoom:
      return {h + square + 2 * gap, {square + 2 * gap, h + gap, w - 2, h + gap + square}};
    // The swatch is a full line high, to hold letters in the box font.
    case BoxForm::contrast: return {2 * h + 4, {2, h + 2, w - 2, 2 * h + 2}};
    case BoxForm::normal: break;
  }
  return {2 * h + 2, {2, h + 2, w - 2, 2 * h}};
}

Point boxPosition(Point pointer, int boxWidth, int boxHeight, Rect screen) {
  Point at{pointer.x + kPointerGap, pointer.y + kPointerGap};
  if (at.x + boxWidth > screen.right) at.x = screen.right - boxWidth;
  if (at.y + boxHeight > screen.bottom) at.y = pointer.y - kPointerGap - boxHeight;
  return at;
}

Point centredOn(Rect area, int width, int height) {
  return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

bool microTextIsBlack(std::uint32_t colorRef) {
  const unsigned r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
  return g > 0x90 && (r > 0x90 || b > 0x90);
}

void composeColorTexts(std::uint32_t colorRef, char hexText[7], char decText[12]) {
  const unsigned r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
  std::snprintf(hexText, 7, "%06X", r * 65536 + g * 256 + b);
  char fields[3][4];
  const unsigned parts[3] = {r, g, b};
  for (int i = 0; i < 3; ++i) {
    std::snprintf(fields[i], sizeof fields[i], "%3u", parts[i]);
    for (char* c = fields[i]; *c == ' '; ++c) *c = '@';
  }
  std::snprintf(decText, 12, "%s %s %s", fields[0], fields[1], fields[2]);
}
