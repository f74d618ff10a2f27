#include "integration/sas_config_file.hpp"
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
    bool folder_exists(const std::string& p) override { return inner_.folder_exists(p); }
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
    Result<bool> delete_file_if(const std::string& p, const DeleteDecision& decide) override {
        return inner_.delete_file_if(p, decide);
    }
    Result<bool> same_folder(const std::string& a, const std::string& b) override {
        return inner_.same_folder(a, b);
    }
    Result<bool> is_link(const std::string& p) override { return inner_.is_link(p); }
    Result<std::vector<std::string>> groups_that_can_change(const std::string& p) override {
        return inner_.groups_that_can_change(p);
    }
    Failure write_file(const std::string& p, const std::string& content) override {
        return write_file_parts(p, {content});
    }
    Failure write_file_parts(const std::string& p,
                             const std::vector<std::string_view>& parts) override {
        if (p != path_)
            return inner_.write_file_parts(p, parts);
        // As the platform does: the half written stays in a side file, removed on failure.
        return PlatformError{PlatformError::Kind::other, "There is not enough space on the disk."};
    }
    Result<bool> delete_plain_file(const std::string& p) override {
        return inner_.delete_plain_file(p);
    }
    Result<std::shared_ptr<FolderHold>> hold_folder(const std::string& p) override {
        return inner_.hold_folder(p);
    }
    Result<std::shared_ptr<JournalFile>> create_journal(const std::string& p,
                                                        std::string_view suffix) override {
        return inner_.create_journal(p, suffix);
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
    // Empty on success, else the platform's description.
    std::string update(FileSystem& files) {
        return description_of(
            update_sas_config_file(files, machine.encoding, "D:\\Tools\\Kit\\saspgm", config_path));
    }
    std::string update() { return update(machine.files); }
    void expect_only_the_config_file() {
        EXPECT_EQ(machine.files_in("C:\\SAS\\V91\\nls\\en"), std::vector<std::string>{"SASV9.CFG"})
            << "side file left";
    }

    TestMachine machine;
};

TEST_F(SasConfigUpdate, RewritesTheFileInPlaceOnceOnly) {
    machine.write(config_path, stock_file);
    EXPECT_EQ(update(), "");
    EXPECT_EQ(machine.read(config_path), updated_file);
    EXPECT_EQ(update(), "");
    EXPECT_EQ(machine.read(config_path), updated_file);
    expect_only_the_config_file();
}

TEST_F(SasConfigUpdate, FileWithoutSettingIsNotTouched) {
    machine.write(config_path, "-memsize 0\n");
    EXPECT_EQ(update(), "");
    EXPECT_EQ(machine.read(config_path), "-memsize 0\n");
}

TEST_F(SasConfigUpdate, ReadOnlyFileIsReportedAndLeftIntact) {
    machine.write(config_path, stock_file);
    machine.set_read_only(config_path, true);
    EXPECT_EQ(update(), "Permission denied");
    EXPECT_EQ(machine.read(config_path), stock_file);
    expect_only_the_config_file();
}

TEST_F(SasConfigUpdate, FailureMidWriteLeavesTheOriginalIntact) {
    machine.write(config_path, stock_file);
    DiskFullAt full_disk(machine.files, config_path);
    EXPECT_EQ(update(full_disk), "There is not enough space on the disk.");
    EXPECT_EQ(machine.read(config_path), stock_file);
    expect_only_the_config_file();
    EXPECT_EQ(update(), "") << "a later run succeeds once the fault is gone";
    EXPECT_EQ(machine.read(config_path), updated_file);
}

TEST_F(SasConfigUpdate, MissingFileIsReported) {
    EXPECT_EQ(update(), "No such file or directory");
    EXPECT_FALSE(machine.exists(config_path));
}

TEST_F(SasConfigUpdate, UnicodeFileGetsTheEntryInUtf8AndKeepsItsMark) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string folder = "D:\\Donn\xC3\xA9"
                               "es\\saspgm";
    machine.write(config_path, mark + stock_file);
    ASSERT_EQ(description_of(
                  update_sas_config_file(machine.files, machine.encoding, folder, config_path)),
              "");
    EXPECT_EQ(machine.read(config_path), mark +
                                             "-SET SASAUTOS (\r\n"
                                             "                \"" +
                                             folder +
                                             "\"\r\n"
                                             "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                                             "        )\r\n\r\n");
}

struct ConfigChoice {
    const char* name;
    std::string version_key;
    // Files present below the root C:\SAS, as root-relative path and content.
    std::vector<std::pair<std::string, std::string>> files;
    std::string chosen;
};

class ConfigFileChoice : public ::testing::TestWithParam<ConfigChoice> {};

TEST_P(ConfigFileChoice, FollowsTheReleasesRule) {
    TestMachine machine;
    for (const auto& [file, content] : GetParam().files) {
        const std::string path = "C:\\SAS" + file;
        machine.make_folders(path.substr(0, path.rfind('\\')));
        machine.write(path, content);
    }
    const auto* release = release_with_version_key(GetParam().version_key);
    ASSERT_NE(release, nullptr);
    EXPECT_EQ(sas_config_to_update(machine.files, *release, "C:\\SAS"), GetParam().chosen);
}

const std::string root_naming_de = "-SET SASROOT \"C:\\SAS\"\r\n"
                                   "-CONFIG \"!SASROOT\\nls\\de\\SASV9.CFG\"\r\n"
                                   "-CONFIG \"!SASROOT\\nls\\fr\\SASV9.CFG\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Releases, ConfigFileChoice,
    ::testing::Values(
        ConfigChoice{"Sas8", "sas8", {{"\\SASV9.CFG", root_naming_de}}, "C:\\SAS\\SASV8.CFG"},
        ConfigChoice{"Sas91English",
                     "sas9",
                     {{"\\SASV9.CFG", root_naming_de}, {"\\nls\\en\\SASV9.CFG", ""}},
                     "C:\\SAS\\nls\\en\\SASV9.CFG"},
        ConfigChoice{"Sas91German",
                     "sas9",
                     {{"\\SASV9.CFG", root_naming_de}},
                     "C:\\SAS\\nls\\de\\SASV9.CFG"},
        ConfigChoice{"Sas92NothingToFollow", "sas92", {}, "C:\\SAS\\nls\\en\\SASV9.CFG"},
        ConfigChoice{"Sas93FollowsTheRoot",
                     "sas93",
                     {{"\\SASV9.CFG", root_naming_de}, {"\\nls\\en\\SASV9.CFG", ""}},
                     "C:\\SAS\\nls\\de\\SASV9.CFG"},
        ConfigChoice{"Sas94BareLowerCaseIndented",
                     "sas94",
                     {{"\\SASV9.CFG", "\xEF\xBB\xBF/* -CONFIG x */\n  -config !sasroot\\nls\\1d\\"
                                      "SASV9.CFG -other\n"}},
                     "C:\\SAS\\nls\\1d\\SASV9.CFG"},
        ConfigChoice{"Sas94OtherFolder",
                     "sas94",
                     {{"\\SASV9.CFG", "-CONFIGURE x\r\n-CONFIG 'E:\\site\\sasv9.cfg'\r\n"}},
                     "E:\\site\\sasv9.cfg"},
        ConfigChoice{
            "Sas94CommentedOutLineAcrossLines",
            "sas94",
            {{"\\SASV9.CFG", "/* old:\r\n-CONFIG \"!SASROOT\\nls\\de\\SASV9.CFG\"\r\n*/\r\n"
                             "-CONFIG \"!SasRoot\\nls\\en\\SASV9.CFG\"\r\n"}},
            "C:\\SAS\\nls\\en\\SASV9.CFG"},
        ConfigChoice{"Sas94RelativeToTheRoot",
                     "sas94",
                     {{"\\SASV9.CFG", "-CONFIG nls\\en\\SASV9.CFG\r\n"}},
                     "C:\\SAS\\nls\\en\\SASV9.CFG"},
        ConfigChoice{"Sas94NetworkShare",
                     "sas94",
                     {{"\\SASV9.CFG", "-CONFIG \"\\\\srv\\sas\\sasv9.cfg\"\r\n"}},
                     "\\\\srv\\sas\\sasv9.cfg"},
        ConfigChoice{"Sas94NoConfigLine",
                     "sas94",
                     {{"\\SASV9.CFG", "-CONFIG\r\n-memsize 2G\r\n"}},
                     "C:\\SAS\\nls\\en\\SASV9.CFG"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane::testing
