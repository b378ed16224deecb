#include "framework/format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::wstring FormatText(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list argsCopy;
    va_copy(argsCopy, args);
    const int nLength = std::vsnprintf(nullptr, 0, pszFormat, args);
    va_end(args);
    if (nLength < 0) {
        va_end(argsCopy);
        return std::wstring();
    }
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1, '\0');
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, argsCopy);
    va_end(argsCopy);
    // Every format of the tool produces ASCII text.
    return std::wstring(buffer.begin(), buffer.begin() + nLength);
}
