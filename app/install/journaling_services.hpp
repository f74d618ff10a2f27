#pragma once

#include "app/record/setup_journal.hpp"
#include "platform/file_system.hpp"
#include "platform/shell.hpp"

namespace morvane {

// The file system as the installation's writing steps see it: every folder made and
// every file written also goes into the setup journal, with the exact bytes' hash. A
// file or folder that is a link is refused.
class JournalingFileSystem : public FileSystem {
  public:
    JournalingFileSystem(FileSystem& files, SetupJournal& journal)
        : files_(files), journal_(journal) {}

    bool file_exists(const std::string& path) override { return files_.file_exists(path); }
    bool folder_exists(const std::string& path) override { return files_.folder_exists(path); }
    Failure delete_file(const std::string& path) override { return files_.delete_file(path); }
    Failure make_folder(const std::string& path) override;
    Result<std::string> read_file(const std::string& path) override {
        return files_.read_file(path);
    }
    Failure write_file(const std::string& path, const std::string& content) override;
    Failure write_file_parts(const std::string& path,
                             const std::vector<std::string_view>& parts) override;
    Failure append_file(const std::string& path, const std::string& content) override {
        return files_.append_file(path, content);
    }
    Failure replace_file(const std::string& replacement, const std::string& target) override {
        return files_.replace_file(replacement, target);
    }
    Failure remove_empty_folder(const std::string& path) override {
        return files_.remove_empty_folder(path);
    }
    Result<bool> delete_file_if(const std::string& path, const DeleteDecision& decide) override {
        return files_.delete_file_if(path, decide);
    }
    Result<bool> same_folder(const std::string& a, const std::string& b) override {
        return files_.same_folder(a, b);
    }
    Result<bool> is_link(const std::string& path) override { return files_.is_link(path); }
    Result<std::vector<std::string>> groups_that_can_change(const std::string& folder) override {
        return files_.groups_that_can_change(folder);
    }

    Result<bool> delete_plain_file(const std::string& path) override {
        return files_.delete_plain_file(path);
    }
    Result<std::shared_ptr<FolderHold>> hold_folder(const std::string& path) override {
        return files_.hold_folder(path);
    }
    Result<std::shared_ptr<JournalFile>> create_journal(const std::string& beside,
                                                        std::string_view suffix) override {
        return files_.create_journal(beside, suffix);
    }

  private:
    FileSystem& files_;
    SetupJournal& journal_;
};

// The shell, with every shortcut saved also going into the setup journal. A shortcut
// that is a link is refused.
class JournalingShell : public Shell {
  public:
    JournalingShell(Shell& shell, FileSystem& files, SetupJournal& journal)
        : shell_(shell), files_(files), journal_(journal) {}

    Result<std::string> special_folder(SpecialFolder folder) override {
        return shell_.special_folder(folder);
    }
    Result<std::string> make_special_folder(SpecialFolder folder) override {
        return shell_.make_special_folder(folder);
    }
    Failure save_shortcut(const Shortcut& shortcut) override;
    Result<Shortcut> read_shortcut(const std::string& path) override {
        return shell_.read_shortcut(path);
    }
    Result<Shortcut> shortcut_of(const std::string& path, std::string_view bytes) override {
        return shell_.shortcut_of(path, bytes);
    }

  private:
    Shell& shell_;
    FileSystem& files_;
    SetupJournal& journal_;
};

} // namespace morvane
