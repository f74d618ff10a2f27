// The program's entry point: the Win32 services wired to the setup.
#include "app/commands/command_line.hpp"
#include "app/reporting/install_log.hpp"
#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/shell/win32_shell.hpp"
#include "platform/win32/system/code_page.hpp"
#include "platform/win32/system/cryptoapi_hashing.hpp"
#include "platform/win32/system/dll_search.hpp"
#include "platform/win32/system/process.hpp"
#include "platform/win32/system/wide_text.hpp"
#include "platform/win32/system/win32_account.hpp"
#include "platform/win32/system/win32_computer.hpp"
#include "platform/win32/system/win32_console.hpp"
#include "platform/win32/system/win32_registry.hpp"
#include "platform/win32/system/win32_single_instance.hpp"
#include "platform/win32/window/message_boxes.hpp"
#include "platform/win32/window/win32_setup_window.hpp"
#include "program/setup_program.hpp"

#include <objbase.h>
#include <shellapi.h>

#include <memory>

using namespace morvane;

namespace {

// The window is made only when the program shows it, so an unattended run opens none.
class Win32WindowHost : public WindowHost {
  public:
    Win32WindowHost(HINSTANCE instance, win32::Win32MessageBoxes& messages)
        : instance_(instance), messages_(messages) {}

    Failure open() override {
        window_ = std::make_unique<win32::Win32SetupWindow>(instance_);
        if (const auto& failure = window_->creation_failure())
            return failure;
        messages_.set_owner(window_->handle());
        return std::nullopt;
    }
    SetupWindowView& view() override { return *window_; }
    void run(SetupWindowEvents& events) override {
        window_->attach(&events);
        window_->run_message_loop();
        messages_.set_owner(nullptr);
    }

  private:
    HINSTANCE instance_;
    win32::Win32MessageBoxes& messages_;
    std::unique_ptr<win32::Win32SetupWindow> window_;
};

std::vector<std::string> arguments() {
    int count = 0;
    const win32::LocalBuffer<wchar_t**> words_of_line(
        CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i)
        result.push_back(win32::narrow(words_of_line.get()[i]));
    return result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL by name.
    win32::restrict_dll_search_to_system32();
    const auto words = arguments();
    // No "insert a disk" box may stop a run that nobody watches.
    if (asks_for_silence(words))
        SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
    // Shortcuts are saved through the shell's COM objects, which want a single-threaded
    // apartment on the window's thread.
    const win32::ComApartment com;
    const win32::CommonControls common_controls;

    win32::Win32Registry registry;
    win32::Win32FileSystem files;
    win32::AnsiCodePage encoding;
    win32::Win32Shell shell;
    win32::Win32ProgramLocation location;
    win32::SleepPause pause;
    win32::Win32MessageBoxes messages;
    win32::CryptoApiHashing hashing;
    win32::Win32Console console;
    win32::Win32SingleInstance instance_lock;
    win32::Win32Account account;
    win32::Win32Computer computer;
    Platform platform{registry, files,    encoding, shell,   location,
                      pause,    messages, hashing,  account, computer};
    Win32WindowHost window(instance, messages);
    ProgramServices services{platform,      console,         window,
                             instance_lock, local_timestamp, location.program_stem() + ".exe"};
    return run_setup_program(words, services);
}
