// Sizes stored for 96 DPI, at the DPI of a monitor, and back. No windows.h.
#pragma once

constexpr int kBaseDpi = 96;  // the DPI that stored sizes are given for

// A size stored for 96 DPI (a font height or width, negative or positive), at `dpi`: rounded to the
// nearest pixel, halves away from zero, and kept within int. A DPI of 0 or less leaves it as it is.
int scaleForDpi(int value96, int dpi);
// A size measured at `dpi` (a font picked in a dialog that works at that DPI), as it is stored for 96 DPI.
int unscaleFromDpi(int value, int dpi);
// The DPI to lay out for: the monitor's own where it is known (above 0), else the system's, else 96.
int effectiveDpi(int monitorDpi, int systemDpi);
