#pragma once
#include <windows.h>

// Draws the magnifier of the zoom form into the box's DC: the 13 x 13 pixels around `p`, read with one
// BitBlt, the base colour where no monitor is; only the cells that changed are written. `screen` is the
// pointer's monitor; the others are looked up only when the area reaches beyond it. Returns the pointer's
// own pixel from the same read, or CLR_INVALID when it was not read there.
COLORREF drawMagnifier(HDC screenDC, HDC boxDC, POINT p, RECT screen);
// The box was filled with the base colour: the next drawing writes every cell.
void forgetMagnifier();
// Releases the memory DCs the drawing keeps between ticks; the next drawing makes them again.
void releaseMagnifier();
// The box is laid out for `dpi`: the cells grow with it, and the next drawing writes every one.
void setMagnifierDpi(int dpi);
// The side of a cell for the box's DPI.
int magnifierCellSize();
// How many cells have been written since the program started.
int magnifierCellsWritten();
