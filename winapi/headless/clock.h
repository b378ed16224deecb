// Internal to the headless kernel32: what the waits need from the clock.
// The public clock interface is in kernel32.h.
#pragma once

#include "winapi/headless/wintypes.h"

#include <cstdint>

// True in virtual mode on the thread that switched the clock to virtual mode.
bool HeadlessClockOwnsThisThread();

// Milliseconds of a real monotonic clock, whatever the mode.
uint64_t HeadlessRealMilliseconds();
