#pragma once

#include "app/record/setup_record.hpp"
#include "integration/sas_config_update.hpp"
#include "platform/file_system.hpp"
#include "platform/hashing.hpp"

#include <optional>
#include <string>

namespace morvane {

// The setup record of an installation in progress: what each step did is added as it
// happens and saved when the step ends, so a failed installation can be undone too.
// A new installation adds to the record of an earlier one, since what that one created
// is still to be undone when it is uninstalled.
class SetupJournal {
  public:
    SetupJournal(FileSystem& files, Hashing& hashing, std::string record_path,
                 std::string sas_version);

    // Takes in the record already there; one that cannot be read fails, since an
    // installation must not forget what an earlier one left to undo.
    Failure open();
    // Writes the record beside its old self and replaces it; nothing when unchanged.
    Failure save();

    // Where and for whom this installation is made. A user that cannot be told keeps the
    // one recorded before.
    void made_for(const std::string& program_folder, const std::optional<RecordedUser>& user);
    void folder_made(const std::string& path);
    // Fails when the bytes cannot be hashed: the file is then written but not recorded.
    Failure file_written(const std::string& path, std::string_view bytes);
    void shortcut_saved(const std::string& path);
    void shortcuts_for(ShortcutScope scope);
    void sas_config_updated(const std::string& config_file, const SasConfigUpdate& update);

    const SetupRecord& record() const { return record_; }

  private:
    FileSystem& files_;
    Hashing& hashing_;
    std::string path_;
    SetupRecord record_;
    bool changed_ = false;
};

} // namespace morvane
