#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/shell/win32_shell.hpp"
#include "platform/win32/system/code_page.hpp"
#include "platform/win32/system/process.hpp"
#include "platform/win32/system/wide_text.hpp"
#include "platform/win32/system/win32_registry.hpp"
#include "platform/win32/system/win32_single_instance.hpp"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

namespace morvane::win32 {
namespace {

const std::wstring test_key = L"SOFTWARE\\MorvaneSetupTests";

class RegistryValues : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, test_key.c_str(), view, 0);
    }
    static void put(REGSAM view, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, test_key.c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    Win32Registry registry;
};

TEST_F(RegistryValues, StringsAndOtherTypesAsStored) {
    const wchar_t with_nul[] = L"C:\\SAS\\V91";
    put(KEY_WOW64_64KEY, L"WithNul", REG_SZ, with_nul, sizeof with_nul);
    // Stored without its terminator: the byte after the data must not be 0 (or the
    // registry keeps a NUL anyway).
    const wchar_t without_nul[] = L"C:\\SASX";
    put(KEY_WOW64_64KEY, L"WithoutNul", REG_SZ, without_nul, 6 * sizeof(wchar_t));
    const wchar_t expandable[] = L"%ProgramFiles%\\SAS";
    put(KEY_WOW64_64KEY, L"Expandable", REG_EXPAND_SZ, expandable, sizeof expandable);
    const DWORD number = 1;
    put(KEY_WOW64_64KEY, L"Number", REG_DWORD, &number, sizeof number);

    const auto key = narrow(test_key);
    const auto string_with_nul = registry.read_local_machine(key, "WithNul");
    ASSERT_TRUE(string_with_nul);
    EXPECT_EQ(string_with_nul->type, RegistryValueType::string);
    EXPECT_EQ(string_with_nul->text, std::string("C:\\SAS\\V91\0", 11));
    const auto string_without_nul = registry.read_local_machine(key, "WithoutNul");
    ASSERT_TRUE(string_without_nul);
    EXPECT_EQ(string_without_nul->text, "C:\\SAS");
    EXPECT_EQ(registry.read_local_machine(key, "Expandable")->type,
              RegistryValueType::expandable_string);
    EXPECT_EQ(registry.read_local_machine(key, "Expandable")->text,
              std::string("%ProgramFiles%\\SAS\0", 19))
        << "as stored, not expanded";
    EXPECT_EQ(registry.read_local_machine(key, "Number")->type, RegistryValueType::dword);
    EXPECT_EQ(registry.read_local_machine(key, "Number")->number, 1u);
    EXPECT_FALSE(registry.read_local_machine(key, "Missing"));
    EXPECT_FALSE(registry.read_local_machine(key + "\\Missing", "WithNul"));
}

TEST_F(RegistryValues, ValueInTheOtherViewIsFound) {
#ifdef _WIN64
    const REGSAM other_view = KEY_WOW64_32KEY;
#else
    const REGSAM other_view = KEY_WOW64_64KEY;
#endif
    const wchar_t root[] = L"C:\\Program Files (x86)\\SAS";
    put(other_view, L"DefaultRoot", REG_SZ, root, sizeof root);
    const auto value = registry.read_local_machine(narrow(test_key), "DefaultRoot");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, std::string("C:\\Program Files (x86)\\SAS\0", 27));
}

class Files : public ::testing::Test {
  protected:
    Files() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int fixtures = 0;
        folder = narrow(temp) + "morvane-files-" + std::to_string(GetTickCount64()) + "-" +
                 std::to_string(++fixtures) + "-\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD";
        EXPECT_FALSE(files.make_folder(folder));
    }
    ~Files() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(long_path(folder)), ignored);
    }
    Win32FileSystem files;
    std::string folder;
};

TEST_F(Files, WriteReadReplaceAndDeleteInAUnicodeFolder) {
    const auto file = folder + "\\SASV9.CFG";
    EXPECT_FALSE(files.file_exists(file));
    ASSERT_FALSE(files.write_file(file, std::string("a\r\nb\0c", 6)));
    EXPECT_TRUE(files.file_exists(file));
    EXPECT_EQ(files.read_file(file).value(), std::string("a\r\nb\0c", 6));
    ASSERT_FALSE(files.write_file(file + ".new", "new"));
    ASSERT_FALSE(files.replace_file(file + ".new", file));
    EXPECT_EQ(files.read_file(file).value(), "new");
    EXPECT_FALSE(files.file_exists(file + ".new"));
    EXPECT_FALSE(files.delete_file(file));
    const auto missing = files.delete_file(file);
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->is_not_found());
    EXPECT_FALSE(missing->description.empty());
}

TEST_F(Files, PartsAreWrittenInOrderAcrossTheWriteBuffer) {
    const std::string big(3 << 20, 'x');
    std::vector<std::string_view> parts(400000, "ab\r\n");
    parts.push_back(big);
    parts.push_back("end");
    std::string expected;
    for (const auto part : parts)
        expected += part;
    const auto file = folder + "\\parts.cfg";
    ASSERT_FALSE(files.write_file_parts(file, parts));
    EXPECT_EQ(files.read_file(file).value(), expected);
}

TEST_F(Files, FolderIsMadeOneLevelAtATime) {
    EXPECT_TRUE(files.make_folder(folder + "\\a\\b"));
    EXPECT_FALSE(files.make_folder(folder + "\\a"));
    EXPECT_TRUE(files.make_folder(folder + "\\a")) << "an existing folder is a failure";
    EXPECT_FALSE(files.make_folder(folder + "\\a\\b"));
}

TEST_F(Files, ReadOnlyTargetIsNotReplaced) {
    const auto file = folder + "\\SASV9.CFG";
    ASSERT_FALSE(files.write_file(file, "old"));
    ASSERT_FALSE(files.write_file(file + ".new", "new"));
    SetFileAttributesW(long_path(file).c_str(), FILE_ATTRIBUTE_READONLY);
    const auto failure = files.replace_file(file + ".new", file);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->description, windows_error(ERROR_ACCESS_DENIED).description);
    EXPECT_EQ(files.read_file(file).value(), "old");
    SetFileAttributesW(long_path(file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Files, PathsLongerThanMaxPathWork) {
    std::vector<std::string> levels = {folder};
    while (levels.back().size() < 300) {
        levels.push_back(levels.back() + "\\a-rather-long-folder-name");
        ASSERT_FALSE(files.make_folder(levels.back())) << levels.back();
    }
    const auto file = levels.back() + "\\autoexec.sas";
    ASSERT_FALSE(files.write_file(file, "x"));
    EXPECT_EQ(files.read_file(file).value(), "x");
    // The folders are removed here: the clean-up of the fixture cannot reach this deep.
    EXPECT_FALSE(files.delete_file(file));
    while (levels.size() > 1) {
        EXPECT_TRUE(RemoveDirectoryW(long_path(levels.back()).c_str()));
        levels.pop_back();
    }
}

TEST(Paths, CleanedAsAnOrdinaryCallIsBeforeTheLongPathPrefix) {
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::string deep(300, 'd');
    const struct {
        std::string path;
        std::wstring expected;
    } cases[] = {
        {"C:\\SAS\\V91\\\\nls\\en\\SASV9.CFG", L"\\\\?\\C:\\SAS\\V91\\nls\\en\\SASV9.CFG"},
        {"C:/SAS/V91/nls/en/SASV9.CFG", L"\\\\?\\C:\\SAS\\V91\\nls\\en\\SASV9.CFG"},
        {"C:\\Temp\\..\\Temp\\.\\x.log", L"\\\\?\\C:\\Temp\\x.log"},
        {"C:\\SAS\\V91\\\\", L"\\\\?\\C:\\SAS\\V91"},
        {"C:\\", L"\\\\?\\C:\\"},
        {"\\\\server\\share\\kit\\..\\saspgm", L"\\\\?\\UNC\\server\\share\\saspgm"},
        {"//server/share/saspgm/", L"\\\\?\\UNC\\server\\share\\saspgm"},
        {"\\\\?\\C:\\as\\it\\is", L"\\\\?\\C:\\as\\it\\is"},
        {"saspgm\\autoexec.sas", L"\\\\?\\" + std::wstring(current) + L"\\saspgm\\autoexec.sas"},
        {"C:\\" + deep + "\\x\\..\\\\" + deep + "\\", L"\\\\?\\C:\\" + widen(deep + "\\" + deep)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(long_path(c.path), c.expected) << c.path;
}

// The names in a folder, so that a test sees any temporary file left behind.
std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(long_path(folder)))
        names.push_back(narrow(entry.path().filename().wstring()));
    return names;
}

TEST_F(Files, ReplacementKeepsHiddenAndTheWholeContent) {
    const auto file = folder + "\\SASV9.CFG";
    const std::string content(100000, 'c');
    ASSERT_FALSE(files.write_file(file, "old"));
    SetFileAttributesW(long_path(file).c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_FALSE(files.write_file(file, "rewritten"));
    ASSERT_FALSE(files.write_file(file + ".new", content));
    ASSERT_FALSE(files.replace_file(file + ".new", file));
    EXPECT_EQ(files.read_file(file).value(), content);
    EXPECT_TRUE(GetFileAttributesW(long_path(file).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"SASV9.CFG"});
}

TEST_F(Files, RefusedRewriteKeepsTheOldBytesAndLeavesNoTemporary) {
    const auto file = folder + "\\difftest.sas";
    for (const bool read_only : {true, false}) {
        ASSERT_FALSE(files.write_file(file, "old"));
        SetFileAttributesW(long_path(file).c_str(),
                           read_only ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        // Held by another program that shares nothing, as a running SAS session may.
        const HANDLE held = read_only ? INVALID_HANDLE_VALUE
                                      : CreateFileW(long_path(file).c_str(), GENERIC_READ, 0,
                                                    nullptr, OPEN_EXISTING, 0, nullptr);
        const auto failure = files.write_file(file, "new");
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        ASSERT_TRUE(failure) << read_only;
        if (read_only) {
            EXPECT_EQ(failure->description, windows_error(ERROR_ACCESS_DENIED).description);
        }
        SetFileAttributesW(long_path(file).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(files.read_file(file).value(), "old") << read_only;
        EXPECT_EQ(names_in(folder), std::vector<std::string>{"difftest.sas"}) << read_only;
    }
}

TEST_F(Files, OnlyAPlainFileOfItsNameIsDeletedThroughItsOwnOpening) {
    const auto name = folder + "\\cdisc.sas7bcat";
    const auto other = folder + "\\other.sas7bcat";
    struct Case {
        const char* planted;
        std::function<void()> plant;
        bool deleted;
    };
    for (const auto& c : std::vector<Case>{
             {"a plain file", [&] { ASSERT_FALSE(files.write_file(name, "stale")); }, true},
             {"a folder", [&] { ASSERT_FALSE(files.make_folder(name)); }, false},
             {"a second name",
              [&] {
                  ASSERT_FALSE(files.write_file(other, "theirs"));
                  ASSERT_TRUE(
                      CreateHardLinkW(long_path(name).c_str(), long_path(other).c_str(), nullptr));
              },
              false}}) {
        c.plant();
        const auto deleted = files.delete_plain_file(name);
        ASSERT_TRUE(deleted.ok()) << c.planted << ": " << deleted.error().description;
        EXPECT_EQ(deleted.value(), c.deleted) << c.planted;
        EXPECT_EQ(GetFileAttributesW(long_path(name).c_str()) != INVALID_FILE_ATTRIBUTES,
                  !c.deleted)
            << c.planted;
        if (files.file_exists(other)) {
            EXPECT_EQ(files.read_file(other).value(), "theirs");
        }
        files.delete_file(name);
        files.delete_file(other);
        files.remove_empty_folder(name);
    }
    EXPECT_TRUE(files.delete_plain_file(name).error().is_not_found());
}

TEST_F(Files, AHeldFolderCannotBeMovedWhileItsFilesAreReplaced) {
    const auto file = folder + "\\macros\\autoexec.sas";
    ASSERT_FALSE(files.make_folder(folder + "\\macros"));
    ASSERT_FALSE(files.write_file(file, "old"));
    const auto moved = long_path(folder + "\\moved");
    {
        const auto hold = files.hold_folder(folder + "\\macros");
        ASSERT_TRUE(hold.ok()) << hold.error().description;
        EXPECT_FALSE(files.write_file(file, "new"));
        EXPECT_FALSE(MoveFileExW(long_path(folder + "\\macros").c_str(), moved.c_str(), 0));
        EXPECT_EQ(files.read_file(file).value(), "new");
    }
    EXPECT_TRUE(MoveFileExW(long_path(folder + "\\macros").c_str(), moved.c_str(), 0))
        << "let go with the hold";
}

TEST_F(Files, AppendRefusesASecondNameOfAFile) {
    const auto log = folder + "\\setup.log";
    const auto other = folder + "\\win.ini";
    ASSERT_FALSE(files.append_file(log, "one\r\n"));
    ASSERT_FALSE(files.append_file(log, "two\r\n"));
    EXPECT_EQ(files.read_file(log).value(), "one\r\ntwo\r\n");
    ASSERT_FALSE(files.delete_file(log));
    ASSERT_FALSE(files.write_file(other, "[fonts]"));
    ASSERT_TRUE(CreateHardLinkW(long_path(log).c_str(), long_path(other).c_str(), nullptr));
    const auto refused = files.append_file(log, "three\r\n");
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->description.find("more than one name"), std::string::npos);
    EXPECT_EQ(files.read_file(other).value(), "[fonts]");
}

// Someone who can change the folder watches for the new file and, the moment it can be
// renamed, puts a file of their own under its name. A new file on its way to a target that
// does not exist yet must never be exchanged so.
TEST_F(Files, ANewFileIsNotExchangedOnItsWayToAMissingTarget) {
    std::atomic<bool> done = false;
    std::atomic<int> seen = 0, taken = 0;
    std::thread intruder([&] {
        const auto pattern = long_path(folder + "\\*.morvane-tmp");
        while (!done) {
            WIN32_FIND_DATAW found{};
            const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                continue;
            FindClose(search);
            ++seen;
            const auto name = long_path(folder) + L"\\" + found.cFileName;
            // Tried again and again while the name is there, to be first once it can move.
            bool moved = false;
            while (!done && !moved && GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES)
                moved = MoveFileExW(name.c_str(), (name + L".taken").c_str(), 0);
            if (!moved)
                continue;
            ++taken;
            const HANDLE planted = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(planted, "planted", 7, &written, nullptr);
            CloseHandle(planted);
        }
    });
    int exchanged = 0;
    for (int i = 0; i < 600; ++i) {
        const auto file = folder + "\\target" + std::to_string(i) + ".sas";
        const auto failure = files.write_file(file, "ours");
        const auto written = files.read_file(file);
        exchanged += failure || !written.ok() || written.value() != "ours";
    }
    done = true;
    intruder.join();
    // Held unshared until it bears the target's name, a new file cannot even be moved.
    EXPECT_GT(seen, 0) << "the intruder never saw a new file: nothing was tried";
    EXPECT_EQ(taken, 0);
    EXPECT_EQ(exchanged, 0);
}

TEST_F(Files, MissingFileIsReportedInTheSystemsWords) {
    const auto content = files.read_file(folder + "\\nothing.cfg");
    ASSERT_FALSE(content.ok());
    EXPECT_EQ(content.error().description, windows_error(ERROR_FILE_NOT_FOUND).description);
    EXPECT_FALSE(files.read_file("").ok());
}

// A device that accepts a write and takes no byte: the write must end, with an error.
BOOL WINAPI takes_nothing(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    return TRUE;
}

TEST(FileWrites, AWriteThatMovesNothingFails) {
    const auto failure = write_bytes(INVALID_HANDLE_VALUE, "abc", 3, takes_nothing);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->description, windows_error(ERROR_WRITE_FAULT).description);
}

// The guard an elevated copy makes is the Administrators group's, which tells a later
// copy that a copy of the setup made it.
TEST(SingleInstance, ASecondClaimFindsTheGuardOwnedByAdministrators) {
    morvane::win32::Win32SingleInstance first, second;
    ASSERT_EQ(first.claim().outcome, morvane::InstanceClaim::Outcome::claimed);
    EXPECT_EQ(first.claim().outcome, morvane::InstanceClaim::Outcome::claimed);
    const auto found = second.claim();
    EXPECT_EQ(found.outcome, morvane::InstanceClaim::Outcome::found);
    EXPECT_EQ(found.owner_sid, "S-1-5-32-544");
}

TEST(CodePage, ConvertsExactlyOrSaysWhichCharacterIsMissing) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the checks below are for code page 1252";
    AnsiCodePage encoding;
    EXPECT_EQ(encoding
                  .to_ansi("C:\\Donn\xC3\xA9"
                           "es")
                  .value(),
              "C:\\Donn\xE9"
              "es");
    const auto failure = encoding.to_ansi("C:\\\xC5\x81ukasz");
    ASSERT_FALSE(failure.ok());
    EXPECT_NE(failure.error().description.find("U+0141"), std::string::npos);
    EXPECT_NE(failure.error().description.find("1252"), std::string::npos);
}

TEST(ProgramLocation, FolderAndStemOfTheRunningProgram) {
    Win32ProgramLocation location;
    EXPECT_EQ(location.program_stem(), "win32_platform_tests");
    EXPECT_NE(location.program_folder().back(), '\\');
    EXPECT_TRUE(Win32FileSystem().file_exists(location.program_folder() + "\\" +
                                              location.program_stem() + ".exe"));
}

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
    Win32Shell shell;
};

TEST_F(ShellTest, SpecialFoldersExist) {
    for (const auto folder : {SpecialFolder::desktop, SpecialFolder::all_users_desktop,
                              SpecialFolder::programs, SpecialFolder::all_users_programs}) {
        const auto path = shell.special_folder(folder);
        ASSERT_TRUE(path.ok());
        const DWORD attributes = GetFileAttributesW(widen(path.value()).c_str());
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path.value();
    }
}

TEST_F(ShellTest, ShortcutCarriesEveryMember) {
    const auto desktop = shell.special_folder(SpecialFolder::desktop).value();
    Shortcut shortcut;
    shortcut.file_path = desktop + "\\MorvaneTest.lnk";
    shortcut.description = "Morvane";
    shortcut.show_command = 3;
    shortcut.arguments = " -CONFIG \"C:\\SAS\\V91\\SASV9.CFG\" -CONFIG \"D:\\Kit\\morvane.cfg\"";
    shortcut.target_path = "C:\\SAS\\V91\\sas.exe";
    shortcut.working_directory = "C:\\SAS\\V91";
    shortcut.icon_location = "D:\\Kit\\Morvane_Post_Installation_setup.icx";
    ASSERT_FALSE(shell.save_shortcut(shortcut));

    std::ifstream file(widen(shortcut.file_path).c_str(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GE(bytes.size(), 0x40u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0x3C]), 3) << "show command: maximized";

    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    IPersistFile* persist = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    ASSERT_TRUE(SUCCEEDED(persist->Load(widen(shortcut.file_path).c_str(), STGM_READ)));
    wchar_t text[1024];
    link->GetArguments(text, 1024);
    EXPECT_EQ(narrow(text), shortcut.arguments);
    link->GetWorkingDirectory(text, 1024);
    EXPECT_EQ(narrow(text), shortcut.working_directory);
    link->GetDescription(text, 1024);
    EXPECT_EQ(narrow(text), shortcut.description);
    int icon = -1;
    link->GetIconLocation(text, 1024, &icon);
    EXPECT_EQ(narrow(text), shortcut.icon_location);
    EXPECT_EQ(icon, 0);
    persist->Release();
    link->Release();
    DeleteFileW(widen(shortcut.file_path).c_str());
}

TEST_F(ShellTest, RefusedShortcutLeavesTheOldOneAndNoTemporary) {
    const auto desktop = shell.special_folder(SpecialFolder::desktop).value();
    Shortcut shortcut;
    shortcut.file_path = desktop + "\\Refused.lnk";
    shortcut.target_path = "C:\\SAS\\V91\\sas.exe";
    ASSERT_FALSE(shell.save_shortcut(shortcut));
    Win32FileSystem files;
    const auto old = files.read_file(shortcut.file_path).value();
    const auto count = names_in(desktop).size();
    shortcut.target_path = "C:\\SAS\\V92\\sas.exe";
    // Refused before anything is written, then refused when the old one is replaced.
    shortcut.icon_location = "C:\\" + std::string(260, 'x') + "\\setup.icx";
    const auto too_long = shell.save_shortcut(shortcut);
    ASSERT_TRUE(too_long);
    EXPECT_NE(too_long->description.find("too long for a shortcut"), std::string::npos);
    shortcut.icon_location.clear();
    SetFileAttributesW(widen(shortcut.file_path).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(shell.save_shortcut(shortcut));
    SetFileAttributesW(widen(shortcut.file_path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(files.read_file(shortcut.file_path).value(), old);
    EXPECT_EQ(names_in(desktop).size(), count);
    ASSERT_FALSE(shell.save_shortcut(shortcut)) << "replaced once it may be";
    EXPECT_NE(files.read_file(shortcut.file_path).value(), old);
    EXPECT_EQ(names_in(desktop).size(), count);
    files.delete_file(shortcut.file_path);
}

} // namespace
} // namespace morvane::win32
