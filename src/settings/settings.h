#pragma once

// Reads every setting from the registry, writing defaults for missing ones. False: registry unusable.
bool loadSettings();
// Writes every setting back. False when a write failed.
bool saveSettings();
// At the box's close: the template combo box's list becomes templateListData.
void packTemplateList();
// At start-up: templateListData fills the template combo box and is released.
void unpackTemplateList();
