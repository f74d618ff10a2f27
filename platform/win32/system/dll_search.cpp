#include "platform/win32/system/dll_search.hpp"

#include <commctrl.h>

namespace morvane::win32 {
namespace {

// void (*)() converts to any function type without a warning.
template <class Function> Function function_of(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

void restrict_dll_search_to_system32() {
    // Looked up, not imported: Windows 7 without update KB2533623 lacks it and would not
    // start the program at all.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto set_default_dll_directories = function_of<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (set_default_dll_directories != nullptr &&
        set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Takes only the current folder out; the program's own folder stays searched there.
    SetDllDirectoryW(L"");
}

// By name: the manifest's side-by-side version 6 is found before any folder is searched,
// and the search itself is the restricted one.
CommonControls::CommonControls() : module_(LoadLibraryW(L"comctl32.dll")) {
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = function_of<InitCommonControlsExFunction>(module_, "InitCommonControlsEx");
    if (init == nullptr)
        return; // the window then reports the progress bar it cannot make
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    init(&controls);
}

CommonControls::~CommonControls() {
    if (module_ != nullptr)
        FreeLibrary(module_);
}

} // namespace morvane::win32
