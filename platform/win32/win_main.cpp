#include "app/startup.hpp"
#include "platform/win32/win32_file_system.hpp"
#include "platform/win32/win32_registry.hpp"
#include "platform/win32/win32_services.hpp"
#include "platform/win32/win32_setup_window.hpp"

#include <commctrl.h>
#include <objbase.h>

using namespace morvane;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Shortcuts are saved through the shell's COM objects, which want a single-threaded
    // apartment on the window's thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Win32Registry registry;
    win32::Win32FileSystem files;
    win32::AnsiCodePage encoding;
    win32::Win32Shell shell;
    win32::Win32ProgramLocation location;
    win32::SleepPause pause;
    win32::Win32MessageBoxes messages;
    Platform platform{registry, files, encoding, shell, location, pause, messages};

    int exit_code = 1;
    {
        win32::Win32SetupWindow window(instance);
        messages.set_owner(window.handle());
        if (const auto form = Main(platform, window)) {
            window.attach(form.get());
            exit_code = window.run_message_loop();
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return exit_code;
}
