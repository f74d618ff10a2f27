#include "tests/doubles/test_machine.hpp"

#include "app/window/startup.hpp"

#include <algorithm>
#include <random>
#include <stdexcept>

namespace morvane::testing {
namespace fs = std::filesystem;
namespace {

fs::path fresh_temporary_folder() {
    std::random_device random;
    const auto folder = fs::temp_directory_path() / ("morvane-test-" + std::to_string(random()) +
                                                     "-" + std::to_string(random()));
    fs::create_directories(folder);
    return folder;
}

} // namespace

std::string sha256_of(std::string_view bytes) {
    SystemHashing hashing;
    return hashing.sha256_hex(bytes).value();
}

TestMachine::TestMachine()
    : root(fresh_temporary_folder()), files(root),
      shell([this](const std::string& path) { return files.write_file(path, "shortcut"); },
            [this](const std::string& path) { make_folders(path); }),
      platform{registry, files,    encoding, shell,   location,
               pause,    messages, hashing,  account, computer} {
    shell.folders = {
        {SpecialFolder::desktop, "C:\\Users\\ana\\Desktop"},
        {SpecialFolder::all_users_desktop, "C:\\Users\\Public\\Desktop"},
        {SpecialFolder::programs, "C:\\Users\\ana\\Start Menu\\Programs"},
        {SpecialFolder::all_users_programs, "C:\\ProgramData\\Start Menu\\Programs"},
    };
    for (const auto& [kind, folder] : shell.folders)
        make_folders(folder);
}

TestMachine::~TestMachine() {
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

void TestMachine::make_folders(const std::string& windows_path) {
    fs::create_directories(files.host_path(windows_path));
}

void TestMachine::write(const std::string& windows_path, const std::string& content) {
    if (files.write_file(windows_path, content))
        throw std::runtime_error("cannot write " + windows_path);
}

std::string TestMachine::read(const std::string& windows_path) {
    const auto content = files.read_file(windows_path);
    if (!content.ok())
        throw std::runtime_error("cannot read " + windows_path);
    return content.value();
}

bool TestMachine::exists(const std::string& windows_path) {
    return fs::exists(files.host_path(windows_path));
}

bool TestMachine::plant_link(const std::string& name, const std::string& target, bool hard) {
    const auto path = files.host_path(name);
    std::error_code error;
    if (hard)
        fs::create_hard_link(files.host_path(target), path, error);
    else
        fs::create_symlink(files.host_path(target), path, error);
    if (error)
        return false;
    if (hard ? fs::hard_link_count(path, error) > 1 : fs::is_symlink(fs::symlink_status(path)))
        return true;
    fs::remove(path, error);
    return false;
}

std::vector<std::string> TestMachine::files_in(const std::string& windows_path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(files.host_path(windows_path)))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void TestMachine::set_read_only(const std::string& windows_path, bool read_only) {
    fs::permissions(files.host_path(windows_path), fs::perms::owner_write,
                    read_only ? fs::perm_options::remove : fs::perm_options::add);
}

void TestMachine::prepare_program_folder(const std::string& folder) {
    location.folder = folder;
    make_folders(folder);
}

InstallationRecord record_with_sas91() {
    FakeRegistry registry;
    registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    registry.set_string(sas_key + "9.1\\Setup\\Globals", "szSASUser", "C:\\Users\\ana\\sasuser");
    return read_installation_record(registry);
}

} // namespace morvane::testing
