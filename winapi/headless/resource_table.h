// The program's resources as the headless window system sees them. The
// resource library (res/) builds the table from the same resource script and
// generated artwork that the Windows build compiles; a test or program hands
// it over once with HeadlessSetResources before creating windows.
#pragma once

struct HEADLESS_RESOURCE {
    int nType;                  // RT_BITMAP (2), RT_ICON (3), RT_GROUP_ICON (14), 240 (dialog init data), ...
    int nId;
    const unsigned char* pData; // bytes exactly as Windows keeps them in the module
    unsigned long cbData;
};

// pTable ends with an entry whose nType is 0. pszScript is the resource
// script text; dialog templates are parsed from it.
void HeadlessSetResources(const HEADLESS_RESOURCE* pTable, const char* pszScript);
const HEADLESS_RESOURCE* HeadlessFindResource(int nType, int nId);
const char* HeadlessResourceScript();
