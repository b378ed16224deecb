// The program's resources for the headless window system, built from the
// same resource script and generated artwork that the Windows build
// compiles. Hand them over once before creating windows:
//     HeadlessSetResources(ResHeadlessTable(), ResHeadlessScript());
#pragma once

#include "winapi/headless/resource_table.h"

// Bitmaps 132-135 and 138 (packed DIBs), icon group 136 with its icons 1
// and 2, the combo-box items of dialog 102 (type 240) and the manifest
// (type 24, id 1). Ends with an entry of type 0.
const HEADLESS_RESOURCE* ResHeadlessTable();

// The resource script with resource.h in place of its #include line, as the
// resource compiler reads it; RcParseDialog takes it as it is.
const char* ResHeadlessScript();
