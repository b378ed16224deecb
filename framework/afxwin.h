// The framework in one include.
#pragma once

#include "framework/cmdtarget.h"
#include "framework/controls.h"
#include "framework/ddx.h"
#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/gdi.h"
#include "framework/msgmap.h"
#include "framework/types.h"
#include "framework/winapp.h"
#include "framework/wnd.h"
