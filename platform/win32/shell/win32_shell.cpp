#include "platform/win32/shell/win32_shell.hpp"

#include "platform/win32/files/win32_side_files.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

namespace morvane::win32 {
namespace {

// The shortcut's bytes as the shell makes them, so that the program writes the file
// itself, under a name of its own choosing.
Result<std::string> shortcut_bytes(IShellLinkW& link) {
    ComPtr<IPersistStream> persist;
    HRESULT result = link.QueryInterface(IID_IPersistStream, persist.out_void());
    if (FAILED(result))
        return com_error(result);
    ComPtr<IStream> stream;
    if (FAILED(result = CreateStreamOnHGlobal(nullptr, TRUE,
                                              reinterpret_cast<IStream**>(stream.out_void()))) ||
        FAILED(result = persist->Save(stream.get(), FALSE)))
        return com_error(result);
    ULARGE_INTEGER size{};
    if (FAILED(result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size)))
        return com_error(result);
    HGLOBAL memory = nullptr;
    if (FAILED(result = GetHGlobalFromStream(stream.get(), &memory)))
        return com_error(result);
    const auto* bytes = static_cast<const char*>(GlobalLock(memory));
    if (bytes == nullptr)
        return last_error();
    std::string content(bytes, static_cast<std::size_t>(size.QuadPart));
    GlobalUnlock(memory);
    return content;
}

Result<std::string> known_folder(SpecialFolder folder, DWORD flags) {
    const KNOWNFOLDERID* id = &FOLDERID_Desktop;
    switch (folder) {
    case SpecialFolder::desktop:
        id = &FOLDERID_Desktop;
        break;
    case SpecialFolder::all_users_desktop:
        id = &FOLDERID_PublicDesktop;
        break;
    case SpecialFolder::programs:
        id = &FOLDERID_Programs;
        break;
    case SpecialFolder::all_users_programs:
        id = &FOLDERID_CommonPrograms;
        break;
    }
    CoTaskBuffer<wchar_t*> path;
    const HRESULT result = SHGetKnownFolderPath(*id, flags, nullptr, path.put());
    if (FAILED(result))
        return com_error(result);
    return narrow(path.get());
}

} // namespace

Result<std::string> Win32Shell::special_folder(SpecialFolder folder) {
    // Without KF_FLAG_DONT_VERIFY a missing folder gives no path at all.
    return known_folder(folder, KF_FLAG_DONT_VERIFY);
}

Result<std::string> Win32Shell::make_special_folder(SpecialFolder folder) {
    return known_folder(folder, KF_FLAG_CREATE);
}

Failure Win32Shell::save_shortcut(const Shortcut& shortcut) {
    // A shortcut keeps paths of up to MAX_PATH characters and arguments up to
    // INFOTIPSIZE; longer ones would be cut short without a word.
    for (const auto* path : {&shortcut.target_path, &shortcut.working_directory,
                             &shortcut.icon_location, &shortcut.file_path}) {
        if (widen(*path).size() >= MAX_PATH)
            return PlatformError{PlatformError::Kind::other,
                                 "The path \"" + *path + "\" is too long for a shortcut (at most " +
                                     std::to_string(MAX_PATH - 1) + " characters)."};
    }
    if (widen(shortcut.arguments).size() >= INFOTIPSIZE)
        return PlatformError{PlatformError::Kind::other,
                             "The shortcut's command line is too long (at most " +
                                 std::to_string(INFOTIPSIZE - 1) + " characters)."};
    ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.out_void());
    if (FAILED(result))
        return com_error(result);
    const auto fail = [](HRESULT r) { return FAILED(r); };
    if (fail(result = link->SetDescription(widen(shortcut.description).c_str())) ||
        fail(result = link->SetShowCmd(shortcut.show_command)) ||
        fail(result = link->SetArguments(widen(shortcut.arguments).c_str())) ||
        fail(result = link->SetPath(widen(shortcut.target_path).c_str())) ||
        fail(result = link->SetWorkingDirectory(widen(shortcut.working_directory).c_str())) ||
        fail(result = link->SetIconLocation(widen(shortcut.icon_location).c_str(), 0)))
        return com_error(result);
    // Written beside the old shortcut first, so that a refused save leaves the old one whole.
    const auto bytes = shortcut_bytes(*link.get());
    if (!bytes.ok())
        return bytes.error();
    return write_whole_file(with_long_path_prefix(full_path(shortcut.file_path)), {bytes.value()});
}

} // namespace morvane::win32
