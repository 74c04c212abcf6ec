// The history written out whole: as a palette file in one of four formats, and as text for the clipboard.
// No windows.h.
#pragma once
#include <string>

#include "history/history.h"

// In the order the save dialog lists them.
enum class PaletteFormat { gpl, ase, css, json };

// Each colour named "#RRGGBB"; the newest colour comes first.
std::string gplPalette(const ColorHistory& history);   // GIMP palette, LF line ends
std::string asePalette(const ColorHistory& history);   // Adobe Swatch Exchange 1.0: RGB swatches, no groups
std::string cssPalette(const ColorHistory& history);   // ":root" with --tintlet-1, --tintlet-2, …
std::string jsonPalette(const ColorHistory& history);  // an array of {"hex", "rgb"} objects, UTF-8

// One save dialog choice: its filter name, its extension (no dot, as the dialog's default extension
// takes it) and its writer.
struct PaletteFormatRow {
  PaletteFormat format;
  const char* filterName;
  const char* extension;
  std::string (*write)(const ColorHistory& history);
};
constexpr int kPaletteFormatCount = 4;
inline constexpr PaletteFormatRow kPaletteFormats[kPaletteFormatCount] = {
    {PaletteFormat::gpl, "GIMP palette (*.gpl)", "gpl", gplPalette},
    {PaletteFormat::ase, "Adobe swatch exchange (*.ase)", "ase", asePalette},
    {PaletteFormat::css, "CSS custom properties (*.css)", "css", cssPalette},
    {PaletteFormat::json, "JSON (*.json)", "json", jsonPalette},
};

// The file's bytes in `format`.
std::string paletteBytes(PaletteFormat format, const ColorHistory& history);

// Every colour of the history in notation `formatIndex` (the custom one expands `customTemplate`), newest
// first, one a line, lines separated by CR LF and none after the last.
std::string historyNotationText(const ColorHistory& history, int formatIndex, const char* customTemplate);
