#pragma once
#include <windows.h>

// Draws the magnifier of the zoom form into the box's DC: the 13 x 13 pixels around `p`.
void drawMagnifier(HDC screenDC, HDC boxDC, POINT p, RECT screen);
