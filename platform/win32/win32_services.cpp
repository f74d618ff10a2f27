#include "platform/win32/win32_services.hpp"

#include "platform/win32/com_ptr.hpp"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/win32_file_system.hpp"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

namespace morvane::win32 {
namespace {

// A name as long as the shortcut's own, so that the length checks hold for it too.
std::wstring temporary_shortcut(const std::wstring& shortcut_path) {
    auto path = shortcut_path;
    if (path.empty())
        return path;
    auto& first = path[path.find_last_of(L'\\') + 1];
    first = first == L'~' ? L'_' : L'~';
    return path;
}

} // namespace

Result<std::string> AnsiCodePage::to_ansi(const std::string& utf8) {
    const auto wide = widen(utf8);
    if (wide.empty())
        return std::string();
    const UINT code_page = GetACP();
    // A UTF-8 system code page holds every character and refuses the best-fit flags.
    const bool exact = code_page != CP_UTF8;
    BOOL lossy = FALSE;
    const auto convert = [&](const wchar_t* text, int length, char* out, int out_size) {
        return WideCharToMultiByte(CP_ACP, exact ? WC_NO_BEST_FIT_CHARS : 0, text, length, out,
                                   out_size, nullptr, exact ? &lossy : nullptr);
    };
    const int size = convert(wide.data(), static_cast<int>(wide.size()), nullptr, 0);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    convert(wide.data(), static_cast<int>(wide.size()), ansi.data(), size);
    if (size == 0 && !wide.empty())
        return last_error();
    if (!lossy)
        return ansi;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size();
        const int length = pair ? 2 : 1;
        lossy = FALSE;
        char out[8];
        convert(wide.data() + i, length, out, sizeof out);
        if (lossy) {
            const unsigned code =
                pair ? 0x10000u + ((wide[i] - 0xD800u) << 10) + (wide[i + 1] - 0xDC00u)
                     : static_cast<unsigned>(wide[i]);
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", code);
            return PlatformError{PlatformError::Kind::other,
                                 "The character \"" + narrow(wide.substr(i, length)) + "\" (" +
                                     number + ") cannot be written in the system's code page " +
                                     std::to_string(code_page) + "."};
        }
        i += length - 1;
    }
    return ansi;
}

Result<std::string> Win32Shell::special_folder(SpecialFolder folder) {
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
    wchar_t* path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(*id, KF_FLAG_CREATE, nullptr, &path);
    std::wstring found = SUCCEEDED(result) ? path : L"";
    CoTaskMemFree(path);
    if (FAILED(result))
        return com_error(result);
    return narrow(found);
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
    // Saved beside the old shortcut first, so that a refused save leaves the old one whole.
    const auto target = full_path(shortcut.file_path);
    const auto temporary = temporary_shortcut(target);
    ComPtr<IPersistFile> file;
    if (fail(result = link->QueryInterface(IID_IPersistFile, file.out_void())))
        return com_error(result);
    Failure failure;
    if (fail(result = file->Save(temporary.c_str(), FALSE)))
        failure = com_error(result);
    else
        failure =
            replace_whole_file(with_long_path_prefix(temporary), with_long_path_prefix(target));
    if (failure)
        DeleteFileW(with_long_path_prefix(temporary).c_str());
    return failure;
}

Win32ProgramLocation::Win32ProgramLocation() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L'\\');
    const auto name = path.substr(slash + 1);
    folder_ = narrow(path.substr(0, slash));
    stem_ = narrow(name.substr(0, name.find_last_of(L'.')));
}

void Win32MessageBoxes::show(const std::string& text, const std::string& title, MessageIcon icon) {
    MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(),
                MB_OK | (icon == MessageIcon::critical ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool Win32MessageBoxes::ask(const std::string& text, const std::string& title) {
    return MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace morvane::win32
