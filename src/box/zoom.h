#pragma once
#include <windows.h>

// Draws the magnifier of the zoom form into the box's DC: the 13 x 13 pixels around `p`, read with one
// BitBlt, the base colour where no monitor is; only the cells that changed are written, the sampled ones
// framed while the sample is larger than one pixel. `screen` is the pointer's monitor; the others are looked
// up only when the area reaches beyond it. Returns the box's colour from the same read: the mean of the
// sampled pixels that lie on a monitor (the pointer's own pixel for a sample of one), or CLR_INVALID when
// none of them was read.
COLORREF drawMagnifier(HDC screenDC, HDC boxDC, POINT p, RECT screen);
// The box was filled with the base colour: the next drawing writes every cell.
void forgetMagnifier();
// Releases the memory DCs the drawing keeps between ticks; the next drawing makes them again.
void releaseMagnifier();
// The box is laid out for `dpi`: the cells grow with it, and the next drawing writes every one.
void setMagnifierDpi(int dpi);
// The cells are `scale` pixels at 96 DPI (settings.magnifierScale), at the box's DPI.
void setMagnifierCellScale(int scale);
// The side of a cell for the box's DPI.
int magnifierCellSize();
// How many cells have been written since the program started.
int magnifierCellsWritten();
