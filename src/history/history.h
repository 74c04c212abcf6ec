// The colours the user copied or froze, newest first, and their stored text. No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kHistoryMax = 12;
// Room for the stored text of a full history: twelve "RRGGBB", eleven commas and the zero.
constexpr std::size_t kHistoryTextSize = kHistoryMax * 7;

// COLORREF values (0x00BBGGRR), newest first; `count` of them are in use.
struct ColorHistory {
  std::uint32_t colors[kHistoryMax];
  int count;
};

// Puts `colorRef` first: a colour already held moves to the front, and a full history loses its oldest.
// False when nothing changed (the colour was first already).
bool rememberColor(ColorHistory* history, std::uint32_t colorRef);

// The colour that `length` characters "RRGGBB" give: exactly six hexadecimal digits, either case.
// False for any other text.
bool colorOfHexText(const char* text, std::size_t length, std::uint32_t* colorRef);

// Reads a stored text, newest first, entries separated by commas. Entries that are not six hexadecimal
// digits, repeats of an earlier entry and entries past the twelfth are dropped. True when nothing had to
// be dropped, so that the text needs no repair.
bool readHistoryText(const char* text, std::size_t length, ColorHistory* history);
// The stored text of `history`: "RRGGBB" entries in capitals, newest first, separated by commas.
void historyText(const ColorHistory& history, char out[kHistoryTextSize]);
