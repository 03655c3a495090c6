// Test helper: takes the named mutex given on the command line and exits
// without releasing it, leaving the mutex abandoned.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    HANDLE mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, argv[1]);
    if (mutex == nullptr || WaitForSingleObject(mutex, 10000) != WAIT_OBJECT_0) {
        return 1;
    }
    ExitProcess(0);
}
