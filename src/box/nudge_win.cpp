// Nudge mode: while it is on, the arrow keys, Enter, Escape, "+", "-", Page Up and Page Down are the box's
// global hotkeys.
#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "box/area_mean.h"
#include "box/box.h"
#include "box/nudge.h"
#include "export/clipboard.h"
#include "hotkeys/hotkey_table.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {

BoxForm formBeforeNudge = BoxForm::normal;

// Takes every key of the mode it can get; one message names those the system refused.
void registerNudgeKeys(HWND box) {
  char failures[kNudgeKeyCount * (kHotkeyNameMax + 1) + 1] = "";
  for (int i = 0; i < kNudgeKeyCount; ++i) {
    const NudgeKey& k = kNudgeKeys[i];
    if (!RegisterHotKey(box, kFirstNudgeHotkeyId + i, registrationModifiers(k.modifiers), k.key))
      appendFailedHotkey(k.modifiers, k.key, failures, sizeof failures);
  }
  if (failures[0]) reportError(box, kErrHotkeys, failures);
}

void unregisterNudgeKeys(HWND box) {
  // A key that was refused fails harmlessly here.
  for (int i = 0; i < kNudgeKeyCount; ++i) UnregisterHotKey(box, kFirstNudgeHotkeyId + i);
}

void movePointer(HWND box, int dx, int dy) {
  POINT p;
  if (!GetCursorPos(&p)) return;
  const Point to = nudgedPointer({p.x, p.y}, dx, dy, virtualScreenRect());
  // Refused while another desktop has the input: the pointer did not move, so there is nothing new to sample.
  if (!SetCursorPos(to.x, to.y)) return;
  // Sampled at once, so the box shows the new pixel and Enter copies it even before the next tick.
  onBoxTick(box);
}

}  // namespace

void setNudgeMode(bool on) {
  if (on == boxState.nudgeMode) return;
  // The mode works only while the box is shown, and never takes keys a hotkey row is being given.
  if (on && (!app.boxShown || hotkeyControlHasFocus())) return;
  boxState.nudgeMode = on;
  CheckMenuItem(app.trayMenu, kCmdNudge, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  if (on) {
    formBeforeNudge = settings.form;
    if (formBeforeNudge != BoxForm::zoom) setForm(BoxForm::zoom);
    registerNudgeKeys(app.boxWnd);
  } else {
    unregisterNudgeKeys(app.boxWnd);
    if (settings.form != formBeforeNudge) setForm(formBeforeNudge);
  }
}

void onNudgeKey(HWND box, int id) {
  const NudgeKey* k = nudgeKeyOfHotkeyId(id);
  if (!k || !boxState.nudgeMode) return;
  switch (k->command) {
    case NudgeCommand::move:  movePointer(box, k->dx, k->dy); break;
    case NudgeCommand::copy:  copyColorToClipboard(box, settings.pickedColor); setNudgeMode(false); break;
    case NudgeCommand::leave: setNudgeMode(false); break;
    // Sampled at once, so that Enter right after copies the mean of the new area.
    case NudgeCommand::sample: setSampleSide(steppedSampleSide(settings.sampleSide, k->dx)); onBoxTick(box); break;
    case NudgeCommand::scale:  setMagnifierScale(steppedMagnifierScale(settings.magnifierScale, k->dx)); break;
  }
}
