// Private messages the main dialog posts to itself.
#pragma once

#include "winapi/win32.h"

// The motion library could not be loaded: tell the operator once the window
// is up.
const UINT WM_APP_LIBRARY_NOT_LOADED = WM_APP + 1;

// A worker thread's call needed an entry point the library lacks; lParam is
// its name (a static string).
const UINT WM_APP_MISSING_ENTRY_POINT = WM_APP + 2;
