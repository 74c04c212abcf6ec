// Start-up, the message loop and the orderly shutdown.
#pragma once
#include <windows.h>

// Runs start-up up to the message loop. False when the program must end at once (a second
// instance, a class that cannot be registered); `exitCode` then holds the code to return.
bool startUp(HINSTANCE instance, int* exitCode);
// Hands one message of the loop to the Options window's dialog keys or to its window.
void dispatchLoopMessage(MSG* msg);
// Runs the message loop until the quit message; returns its exit code.
int runMessageLoop();
// What every end of the program does before the settings are written: the template list and the
// hotkeys taken from the Options window, the tick stopped and the tray icon removed. The box's
// destruction (Exit) and the end of the session both run it.
void closeProgram(HWND box);
// The session ends (log-off, shut-down): the process is ended without a WM_QUIT, so the settings
// are saved at once.
LRESULT onEndSession(HWND box, bool ending);
// The look at the settings, a little under once a second: a change is written at the second look that still finds it,
// so a burst of changes is one write, made at most two seconds after the burst began.
LRESULT onSaveTimer();
// Releases the long-lived objects and writes the settings.
void shutDown();
// The whole life of the program.
int runTintlet(HINSTANCE instance);
