// The template field of the Options page: a sorted drop-down list that shows settings.templates, and
// an edit field whose text is the custom template the copy uses.
#include <string>

#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {

void setField(const char* text) {
  SetWindowTextA(optionsControls[kTemplateCombo], text);
  lstrcpynA(settings.customTemplate, text, kTemplateSize);
}

// Adds `text` to the list and to the drop-down at the same place; nothing when it is listed already.
void addTemplate(const char* text) {
  const int at = settings.templates.add(text);
  if (at >= 0)
    SendMessageA(optionsControls[kTemplateCombo], CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text));
}

// The custom template becomes what the field holds: text set without a key press tells no one.
void readTemplateField() {
  if (optionsControls[kTemplateCombo])
    GetWindowTextA(optionsControls[kTemplateCombo], settings.customTemplate, kTemplateSize);
}

}  // namespace

void showTemplateList() {
  const HWND combo = optionsControls[kTemplateCombo];
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : settings.templates.entries())
    SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  const int found = settings.templates.find(settings.customTemplate);
  if (found >= 0) SendMessageA(combo, CB_SETCURSEL, found, 0);
  else SetWindowTextA(combo, settings.customTemplate);
}

void onRemoveTemplate() {
  readTemplateField();
  const int at = settings.templates.remove(settings.customTemplate);
  if (at >= 0) SendMessageA(optionsControls[kTemplateCombo], CB_DELETESTRING, at, 0);
  setField("");
}

void keepDefaultTemplate() {
  if (settings.templates.find(kDefaultTemplate) >= 0) return;
  addTemplate(kDefaultTemplate);
  readTemplateField();
  if (!settings.customTemplate[0]) setField(kDefaultTemplate);
}

void keepTypedTemplate() {
  readTemplateField();
  if (settings.customTemplate[0]) addTemplate(settings.customTemplate);
}

// The field's edits and choices become the custom template at once: the copy reads it there.
LRESULT onTemplateNotice(int code) {
  if (code == CBN_EDITCHANGE) readTemplateField();
  if (code != CBN_SELCHANGE) return 0;
  const LRESULT chosen = SendMessageA(optionsControls[kTemplateCombo], CB_GETCURSEL, 0, 0);
  if (chosen >= 0 && static_cast<std::size_t>(chosen) < settings.templates.size())
    lstrcpynA(settings.customTemplate, settings.templates[chosen].c_str(), kTemplateSize);  // as the field shows it
  return 0;
}
