// Stand-in for the mapper's shell library: a DLL whose file version the
// installation check compares with the applet's.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
