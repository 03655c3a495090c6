// Stand-in for the Dokan library: only the two version queries the
// installation check makes, answering what the build asked for.
#include <windows.h>

extern "C" ULONG WINAPI DokanVersion() {
    return STANDIN_LIBRARY_VERSION;
}

extern "C" ULONG WINAPI DokanDriverVersion() {
    return STANDIN_DRIVER_VERSION;
}
