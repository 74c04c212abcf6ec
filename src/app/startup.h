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
// Releases the long-lived objects and writes the settings.
void shutDown();
// The whole life of the program.
int runTintlet(HINSTANCE instance);
