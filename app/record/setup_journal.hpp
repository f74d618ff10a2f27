#pragma once

#include "app/record/setup_record.hpp"
#include "integration/sas_config_update.hpp"
#include "platform/file_system.hpp"
#include "platform/hashing.hpp"

#include <memory>
#include <optional>
#include <string>

namespace morvane {

// The setup record of an installation in progress: what each step did is added as it
// happens and saved when the step ends, so a failed installation can be undone too.
// A new installation adds to the record of an earlier one, since what that one created
// is still to be undone when it is uninstalled.
//
// Rewriting the record after every step would cost as much as the files the steps
// write. The first save therefore writes the record naming a journal beside it, later
// saves add their state at the journal's end, and finishing writes the record whole
// again and deletes the journal. A run that never finishes leaves the record naming its
// journal, and the next reader takes the journal's latest state.
class SetupJournal {
  public:
    SetupJournal(FileSystem& files, Hashing& hashing, std::string record_path,
                 std::string sas_version);

    // Takes in the record already there; one that cannot be read fails, since an
    // installation must not forget what an earlier one left to undo.
    Failure open();
    // Puts what changed since the last save on the disk; nothing when unchanged.
    Failure save();
    // Saves, and makes the record whole again without a journal: the run is over.
    Failure finish();

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
    Failure start_journal();
    Failure write_record();
    PlatformError not_written(const PlatformError& failure) const;
    // A journal an earlier run left, once the record no longer names it.
    void delete_earlier_journal();

    FileSystem& files_;
    Hashing& hashing_;
    std::string path_;
    SetupRecord record_;
    bool changed_ = false;
    std::shared_ptr<JournalFile> journal_;
    std::string earlier_journal_;
};

} // namespace morvane
