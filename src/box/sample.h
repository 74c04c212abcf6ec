// The colour under the pointer as the box takes it in the normal and micro forms and the colour dialog's
// SHIFT pick: one pixel, or the mean of the area around it.
#pragma once
#include <windows.h>

// The pointer's pixel for side 1; for a larger side the mean of the side x side pixels around `p` that lie
// on the virtual screen, read with one BitBlt. CLR_INVALID when nothing could be read.
COLORREF sampledColor(HDC screenDC, POINT p, int side);
// Releases the memory DC kept between reads; the next read makes it again.
void releaseSampler();
