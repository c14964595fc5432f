#pragma once

#include <windows.h>

#include <functional>

// Runs the program's message handling until `done` holds or `timeoutMs`
// have passed; answers whether it holds. Never sleeps longer than it waits
// for the next message.
bool pumpUntil(const std::function<bool()> &done, DWORD timeoutMs = 5000);

// Handles the messages already queued, and those they cause.
void pumpPending();
