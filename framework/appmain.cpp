// The program's entry point on Windows: runs the one application object.
#ifdef _WIN32
#include "framework/winapp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
#endif
