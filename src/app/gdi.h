// Scoped holders for short-lived GDI objects, so every return path releases them.
#pragma once
#include <windows.h>

struct WindowDC {
  HWND wnd;
  HDC dc;
  explicit WindowDC(HWND w) : wnd(w), dc(GetWindowDC(w)) {}
  ~WindowDC() { if (dc) ReleaseDC(wnd, dc); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
};

// The header of a top-down DIB of `width` x `height` pixels of `bitCount` bits, uncompressed.
inline BITMAPINFO topDownBitmapInfo(int width, int height, WORD bitCount) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A memory DC with a 32-bit top-down DIB section of its own; `bits` reads its pixels.
struct MemoryDC {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  DWORD* bits = nullptr;
  MemoryDC(HDC like, int width, int height) {
    BITMAPINFO info = topDownBitmapInfo(width, height, 32);
    void* pixels = nullptr;
    dc = CreateCompatibleDC(like);
    bitmap = CreateDIBSection(like, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<DWORD*>(pixels);
    if (dc && bitmap) oldBitmap = SelectObject(dc, bitmap);
  }
  ~MemoryDC() {
    if (oldBitmap) SelectObject(dc, oldBitmap);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
  }
  bool ok() const { return dc && bitmap && bits; }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
};

// Selects an object into a DC and puts the previous one back on exit.
struct SelectedObject {
  HDC dc;
  HGDIOBJ old;
  SelectedObject(HDC d, HGDIOBJ obj) : dc(d), old(SelectObject(d, obj)) {}
  ~SelectedObject() { if (old) SelectObject(dc, old); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
};
