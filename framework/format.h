// printf-style formatting into wide text. Formats in one C locale on every
// build, so read-outs look the same on Windows and in the tests.
#pragma once

#include <string>

std::wstring FormatText(const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
