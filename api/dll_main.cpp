// The library's entry point does nothing: the registry is constructed by the
// runtime's static initialisation before any export can be called.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
