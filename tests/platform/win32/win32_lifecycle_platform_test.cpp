#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/shell/win32_shell.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <gtest/gtest.h>

#include <objbase.h>

#include <filesystem>

namespace morvane::win32 {
namespace {

class LifecyclePlatform : public ::testing::Test {
  protected:
    LifecyclePlatform() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int fixtures = 0;
        folder = narrow(temp) + "morvane-lifecycle-" + std::to_string(GetTickCount64()) + "-" +
                 std::to_string(++fixtures) + " \xC3\xA9t\xC3\xA9";
        EXPECT_FALSE(files.make_folder(folder));
    }
    ~LifecyclePlatform() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(long_path(folder)), ignored);
        CoUninitialize();
    }
    Win32FileSystem files;
    Win32Shell shell;
    std::string folder;
};

TEST_F(LifecyclePlatform, ShortcutReadsBackAsSaved) {
    for (const int show_command : {3, 1, 7}) {
        Shortcut saved;
        saved.file_path = folder + "\\Morvane " + std::to_string(show_command) + ".lnk";
        saved.description = "Morvane \xC3\xA9";
        saved.show_command = show_command;
        saved.arguments =
            " -CONFIG \"C:\\SAS\\V91\\SASV9.CFG\" -CONFIG \"D:\\Kit \xC3\xA9\\morvane.cfg\"";
        saved.target_path = "C:\\SAS\\V91\\sas.exe";
        saved.working_directory = "C:\\SAS\\V91";
        saved.icon_location = "D:\\Kit \xC3\xA9\\Morvane_Post_Installation_setup.icx";
        ASSERT_FALSE(shell.save_shortcut(saved));
        const auto read = shell.read_shortcut(saved.file_path);
        ASSERT_TRUE(read.ok()) << read.error().description;
        const auto& r = read.value();
        EXPECT_EQ(r.file_path, saved.file_path);
        EXPECT_EQ(r.description, saved.description);
        EXPECT_EQ(r.show_command, saved.show_command);
        EXPECT_EQ(r.arguments, saved.arguments);
        EXPECT_EQ(r.target_path, saved.target_path);
        EXPECT_EQ(r.working_directory, saved.working_directory);
        EXPECT_EQ(r.icon_location, saved.icon_location);
    }
}

TEST_F(LifecyclePlatform, MissingOrForeignShortcutIsAFailure) {
    EXPECT_TRUE(shell.read_shortcut(folder + "\\none.lnk").error().is_not_found());
    ASSERT_FALSE(files.write_file(folder + "\\text.lnk", "not a shortcut"));
    const auto foreign = shell.read_shortcut(folder + "\\text.lnk");
    ASSERT_FALSE(foreign.ok());
    EXPECT_NE(foreign.error().description.find("is not a shortcut"), std::string::npos);
}

TEST_F(LifecyclePlatform, OnlyAnEmptyFolderIsRemoved) {
    // Deeper than MAX_PATH, as a program folder may be.
    const auto deep = folder + "\\" + std::string(120, 'd') + "\\" + std::string(120, 'e');
    ASSERT_FALSE(files.make_folder(folder + "\\" + std::string(120, 'd')));
    ASSERT_FALSE(files.make_folder(deep));
    ASSERT_FALSE(files.write_file(deep + "\\kept.sas", "x"));

    EXPECT_TRUE(files.remove_empty_folder(deep)->is_not_empty());
    EXPECT_TRUE(files.file_exists(deep + "\\kept.sas"));
    ASSERT_FALSE(files.delete_file(deep + "\\kept.sas"));
    EXPECT_FALSE(files.remove_empty_folder(deep));
    EXPECT_TRUE(files.remove_empty_folder(deep)->is_not_found());
    ASSERT_FALSE(files.write_file(folder + "\\file", "f"));
    EXPECT_TRUE(files.remove_empty_folder(folder + "\\file"));
    EXPECT_TRUE(files.file_exists(folder + "\\file"));
}

} // namespace
} // namespace morvane::win32
