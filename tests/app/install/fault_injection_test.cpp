// Faults on real files: a disk that fills up part-way, for the generated files and for
// the SAS configuration. Needs root to mount a small file system; skipped otherwise.
#include "app/window/frmMain.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if defined(__linux__)
#include <sys/mount.h>
#endif

namespace morvane::testing {
namespace {

// A file system of a few kilobytes mounted over a folder for the length of a test.
class SmallDisk {
  public:
    SmallDisk(const std::filesystem::path& folder, const char* size) : folder_(folder) {
#if defined(__linux__)
        std::filesystem::create_directories(folder);
        const std::string options = std::string("size=") + size;
        mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
#else
        (void)size;
#endif
    }
    ~SmallDisk() {
        remove();
    }
    void remove() {
#if defined(__linux__)
        if (mounted_)
            umount(folder_.c_str());
#endif
        mounted_ = false;
    }
    bool mounted() const {
        return mounted_;
    }

  private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

const std::string sas_config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
const std::string stock_config = "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n";

class FullDisk : public ::testing::Test {
  protected:
    FullDisk() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(sas_config, stock_config);
        view.selected = OptionButton::optSas9;
    }
    void install() {
        machine.messages.shown.clear();
        frmMain form(machine.platform, view, record_with_sas91());
        form.cmdInstall_Click();
    }

    TestMachine machine;
    FakeWindowView view;
};

TEST_F(FullDisk, MacroFolderFillsUpAtTheFirstLargeFileKeepingItsOldBytesAndARerunRepairsIt) {
    machine.make_folders("D:\\Tools\\Kit\\saspgm");
    SmallDisk disk(machine.files.host_path("D:\\Tools\\Kit\\saspgm"), "48k");
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    const std::string earlier_difftest = "%macro difftest; %mend;\r\n";
    machine.write("D:\\Tools\\Kit\\saspgm\\difftest.sas", earlier_difftest);
    install();
    EXPECT_EQ(view.status(), "Error creating difftest.sas ...");
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_EQ(machine.messages.shown[0].text, "No space left on device");
    EXPECT_TRUE(machine.exists("D:\\Tools\\Kit\\saspgm\\contents.sas"));
    EXPECT_FALSE(machine.exists("D:\\Tools\\Kit\\saspgm\\findings.sas")) << "written after";
    EXPECT_EQ(machine.read("D:\\Tools\\Kit\\saspgm\\difftest.sas"), earlier_difftest);
    for (const auto& name : machine.files_in("D:\\Tools\\Kit\\saspgm"))
        EXPECT_FALSE(name.starts_with("difftest.sas.")) << name << " left beside difftest.sas";
    EXPECT_FALSE(machine.exists("D:\\Tools\\Kit\\morvane.cfg"));
    EXPECT_EQ(machine.read(sas_config), stock_config);

    disk.remove();
    install();
    EXPECT_EQ(view.status(), "Installation completed.");
    EXPECT_EQ(machine.read("D:\\Tools\\Kit\\saspgm\\difftest.sas").size(), 62116u + 12u);
}

TEST_F(FullDisk, SasConfigurationOnAFullDiskStaysWhole) {
    const std::string big_config = stock_config + std::string(9000, '*') + "\r\n";
    SmallDisk disk(machine.files.host_path("C:\\SAS\\V91\\nls\\en"), "16k");
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    machine.write(sas_config, big_config);
    install();
    EXPECT_EQ(view.status(), "Error configing SAS System ...");
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "No space left on device");
    EXPECT_EQ(machine.read(sas_config), big_config);
    EXPECT_EQ(machine.files_in("C:\\SAS\\V91\\nls\\en"), std::vector<std::string>{"SASV9.CFG"})
        << "side file left";
    EXPECT_FALSE(machine.exists("D:\\Tools\\Kit\\morvane.cfg"));
}

} // namespace
} // namespace morvane::testing
