// A DLL that a user plants beside the program: loading it leaves a marker on C:.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        const HANDLE marker = CreateFileW(L"C:\\planted-dll-loaded", GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, 0, nullptr);
        if (marker != INVALID_HANDLE_VALUE)
            CloseHandle(marker);
    }
    return TRUE;
}
