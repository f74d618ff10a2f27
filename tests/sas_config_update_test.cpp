#include "app/frmMain.hpp"
#include "integration/sas_config_update.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

const std::string config_path = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
const std::string stock_file = "-SET SASAUTOS (\r\n"
                               "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                               "        )\r\n";
const std::string updated_file = "-SET SASAUTOS (\r\n"
                                 "                \"D:\\Tools\\Kit\\saspgm\"\r\n"
                                 "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                                 "        )\r\n"
                                 "\r\n";

// Writes half of what it is given to one path and then fails, as a full disk does.
class DiskFullAt : public FileSystem {
  public:
    DiskFullAt(FileSystem& inner, std::string path) : inner_(inner), path_(std::move(path)) {}
    bool file_exists(const std::string& p) override { return inner_.file_exists(p); }
    Failure delete_file(const std::string& p) override { return inner_.delete_file(p); }
    Failure make_folder(const std::string& p) override { return inner_.make_folder(p); }
    Result<std::string> read_file(const std::string& p) override { return inner_.read_file(p); }
    Failure append_file(const std::string& p, const std::string& content) override {
        return inner_.append_file(p, content);
    }
    Failure replace_file(const std::string& from, const std::string& to) override {
        return inner_.replace_file(from, to);
    }
    Failure remove_empty_folder(const std::string& p) override {
        return inner_.remove_empty_folder(p);
    }
    Failure write_file(const std::string& p, const std::string& content) override {
        return write_file_parts(p, {content});
    }
    Failure write_file_parts(const std::string& p,
                             const std::vector<std::string_view>& parts) override {
        if (p != path_)
            return inner_.write_file_parts(p, parts);
        inner_.write_file_parts(p, {parts.begin(), parts.begin() + parts.size() / 2});
        return PlatformError{PlatformError::Kind::other, "There is not enough space on the disk."};
    }

  private:
    FileSystem& inner_;
    std::string path_;
};

class SasConfigUpdate : public ::testing::Test {
  protected:
    SasConfigUpdate() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
    }
    bool update(FileSystem& files) {
        const SasFileWriter writer(files, machine.encoding, machine.messages, "D:\\Tools\\Kit");
        return update_sas_config_file(files, machine.encoding, writer, config_path);
    }
    bool update() { return update(machine.files); }
    void expect_only_the_config_file() {
        EXPECT_FALSE(machine.exists(config_path + ".morvane-new")) << "temporary file left";
    }

    TestMachine machine;
};

TEST_F(SasConfigUpdate, RewritesTheFileInPlaceOnceOnly) {
    machine.write(config_path, stock_file);
    EXPECT_TRUE(update());
    EXPECT_EQ(machine.read(config_path), updated_file);
    EXPECT_TRUE(update());
    EXPECT_EQ(machine.read(config_path), updated_file);
    EXPECT_TRUE(machine.messages.shown.empty());
    expect_only_the_config_file();
}

TEST_F(SasConfigUpdate, FileWithoutSettingIsNotTouched) {
    machine.write(config_path, "-memsize 0\n");
    EXPECT_TRUE(update());
    EXPECT_EQ(machine.read(config_path), "-memsize 0\n");
}

TEST_F(SasConfigUpdate, ReadOnlyFileIsReportedAndLeftIntact) {
    machine.write(config_path, stock_file);
    machine.set_read_only(config_path, true);
    EXPECT_FALSE(update());
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_EQ(machine.messages.shown[0].text, "Permission denied");
    EXPECT_EQ(machine.read(config_path), stock_file);
    expect_only_the_config_file();
}

TEST_F(SasConfigUpdate, FailureMidWriteLeavesTheOriginalIntact) {
    machine.write(config_path, stock_file);
    DiskFullAt full_disk(machine.files, config_path + ".morvane-new");
    EXPECT_FALSE(update(full_disk));
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "There is not enough space on the disk.");
    EXPECT_EQ(machine.read(config_path), stock_file);
    expect_only_the_config_file();
    EXPECT_TRUE(update()) << "a later run succeeds once the fault is gone";
    EXPECT_EQ(machine.read(config_path), updated_file);
}

TEST_F(SasConfigUpdate, MissingFileIsReported) {
    EXPECT_FALSE(update());
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "No such file or directory");
    EXPECT_FALSE(machine.exists(config_path));
}

struct ConfigChoice {
    OptionButton selected;
    std::string edited_file;
};

class ConfigSasChoosesByOption : public ::testing::TestWithParam<ConfigChoice> {};

TEST_P(ConfigSasChoosesByOption, EditsThatVersionsFile) {
    TestMachine machine;
    machine.prepare_program_folder();
    InstallationRecord record;
    record.sas8_root = "C:\\SAS\\V8";
    record.sas91_root = "C:\\SAS\\V91";
    record.sas92_root = "C:\\SAS\\V92";
    for (const auto* file : {"C:\\SAS\\V8\\SASV8.CFG", "C:\\SAS\\V91\\nls\\en\\SASV9.CFG",
                             "C:\\SAS\\V92\\nls\\en\\SASV9.CFG", "C:\\SAS\\V91\\SASV9.CFG"}) {
        const std::string path = file;
        machine.make_folders(path.substr(0, path.rfind('\\')));
        machine.write(path, stock_file);
    }
    FakeWindowView view;
    view.selected = GetParam().selected;
    frmMain form(machine.platform, view, record);
    EXPECT_TRUE(form.config_sas());
    for (const auto* file : {"C:\\SAS\\V8\\SASV8.CFG", "C:\\SAS\\V91\\nls\\en\\SASV9.CFG",
                             "C:\\SAS\\V92\\nls\\en\\SASV9.CFG", "C:\\SAS\\V91\\SASV9.CFG"})
        EXPECT_EQ(machine.read(file), file == GetParam().edited_file ? updated_file : stock_file)
            << file;
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ConfigSasChoosesByOption,
    ::testing::Values(ConfigChoice{OptionButton::optSas8, "C:\\SAS\\V8\\SASV8.CFG"},
                      ConfigChoice{OptionButton::optSas9, "C:\\SAS\\V91\\nls\\en\\SASV9.CFG"},
                      ConfigChoice{OptionButton::optSas92, "C:\\SAS\\V92\\nls\\en\\SASV9.CFG"}));

} // namespace
} // namespace morvane::testing
