#include "box/zoom.h"

// The magnifier is not built yet: the zoom form shows its geometry and swatch only.
void drawMagnifier(HDC, HDC, POINT, RECT) {}
