// The template combo box and the stored template list: unpacked into the box at start-up, packed
// from it at the close.
#include <cstdlib>
#include <cstring>

#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "settings/settings_text.h"

namespace {

LRESULT comboFind(const char* text) {
  return SendMessageA(optionsControls.templateCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(text));
}

void comboAdd(const char* text) {
  SendMessageA(optionsControls.templateCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void packTemplateList() {
  // Without the combo box the list loaded at start is still in templateListData: it is saved as it was.
  if (!optionsControls.templateCombo) return;
  GetWindowTextA(optionsControls.templateCombo, settings.customTemplate, kTemplateSize);
  if (comboFind(settings.customTemplate) == CB_ERR) comboAdd(settings.customTemplate);
  releaseTemplateList();
  const LRESULT count = SendMessageA(optionsControls.templateCombo, CB_GETCOUNT, 0, 0);
  std::size_t room = 1, longest = 0;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(optionsControls.templateCombo, CB_GETLBTEXTLEN, i, 0);
    if (length <= 0) continue;
    room += static_cast<std::size_t>(length) + 1;
    if (static_cast<std::size_t>(length) > longest) longest = static_cast<std::size_t>(length);
  }
  char* block = static_cast<char*>(std::malloc(room));
  char* item = static_cast<char*>(std::malloc(longest + 1));
  if (block && item) {
    PackedList list = {block, room, 0};
    beginTemplateList(&list);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = SendMessageA(optionsControls.templateCombo, CB_GETLBTEXTLEN, i, 0);
      if (length <= 0 || static_cast<std::size_t>(length) > longest) continue;
      if (SendMessageA(optionsControls.templateCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item)) == CB_ERR)
        continue;
      addTemplateEntry(&list, item);
    }
    settings.templateListData = block;
    settings.templateListSize = static_cast<DWORD>(packedSize(list));
    block = nullptr;
  }
  std::free(item);
  std::free(block);  // the list was not built: the stored one is kept at saving
}

void unpackTemplateList() {
  if (!optionsControls.templateCombo) return;  // the list stays loaded and is saved back unchanged
  if (settings.templateListData) {
    const std::size_t length = listTextLength(settings.templateListData, settings.templateListSize);
    std::size_t pos = 0;
    char entry[kTemplateEntryMax + 1];
    while (nextTemplateEntry(settings.templateListData, length, &pos, entry))
      if (comboFind(entry) == CB_ERR) comboAdd(entry);
  }
  if (SendMessageA(optionsControls.templateCombo, CB_GETCOUNT, 0, 0) <= 0) comboAdd(settings.customTemplate);
  const LRESULT found = comboFind(settings.customTemplate);
  if (found != CB_ERR) SendMessageA(optionsControls.templateCombo, CB_SETCURSEL, found, 0);
  else SendMessageA(optionsControls.templateCombo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(settings.customTemplate));
  // The field now shows the template as the list spells it.
  GetWindowTextA(optionsControls.templateCombo, settings.customTemplate, kTemplateSize);
  releaseTemplateList();
}

