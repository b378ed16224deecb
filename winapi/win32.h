// The one place that knows which system we build for: the real Windows
// headers there, our headless window system everywhere else.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
#else
#include "headless/wintypes.h"
#include "headless/kernel32.h"
#include "headless/user32.h"
#include "headless/gdi32.h"
#endif
