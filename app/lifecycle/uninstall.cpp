#include "app/lifecycle/uninstall.hpp"

#include "app/record/record_journal.hpp"
#include "app/reporting/link_refusal.hpp"

#include "integration/sasautos_undo.hpp"

namespace morvane {
namespace {

// Each step says whether its item is handled: undone, found gone, or kept on purpose.
// Only a failure leaves an item to be undone later.
class Uninstaller {
  public:
    Uninstaller(FileSystem& files, Shell& shell, Hashing& hashing, const OwnPlaces& places,
                std::vector<UninstallLine>& lines)
        : files_(files), shell_(shell), hashing_(hashing), places_(places), lines_(lines) {}

    bool shortcut(const std::string& path) {
        if (!places_.is_shortcut(path))
            return not_ours(path, "not a place where this program saves its " +
                                      std::string(product_layout.shortcut) + " shortcut");
        if (is_refused_link(path))
            return false;
        // Read and deleted through one opening, so nothing can be put in its place between.
        // One that cannot be read now (in use, damaged) may still be ours: tried again later.
        const auto outcome =
            files_.delete_file_if(path, [&](std::string_view content) -> Result<bool> {
                const auto found = shell_.shortcut_of(path, content);
                if (!found.ok())
                    return found.error();
                return places_.launches_here(found.value());
            });
        if (!outcome.ok())
            return gone_or_failed(path, outcome.error());
        if (!outcome.value())
            return not_ours(path, "not a shortcut to this program folder's " +
                                      std::string(product_layout.launch_config));
        add(UninstallAction::removed, path);
        return true;
    }

    bool file(const RecordedFile& file) {
        if (!places_.is_generated_file(file.path))
            return not_ours(file.path, "not a file this program writes");
        if (is_refused_link(file.path))
            return false;
        // Hashed and deleted through one opening, so nothing can be put in its place between.
        const auto outcome =
            files_.delete_file_if(file.path, [&](std::string_view content) -> Result<bool> {
                const auto digest = hashing_.sha256_hex(content);
                if (!digest.ok())
                    return digest.error();
                return digest.value() == file.sha256;
            });
        if (!outcome.ok())
            return gone_or_failed(file.path, outcome.error());
        // Someone's own edits are theirs to keep.
        if (!outcome.value())
            add(UninstallAction::kept_changed, file.path, "changed since the installation");
        else
            add(UninstallAction::removed, file.path);
        return true;
    }

    bool folder(const std::string& path) {
        if (!places_.is_folder(path))
            return not_ours(path, "not a folder this program makes");
        if (is_refused_link(path))
            return false;
        const auto failure = files_.remove_empty_folder(path);
        if (!failure) {
            add(UninstallAction::removed, path);
            return true;
        }
        if (failure->is_not_empty()) {
            add(UninstallAction::kept_not_empty, path, "it holds other files");
            // What failed before may be all it holds: then it is tried again next time.
            return failures_ == 0;
        }
        return gone_or_failed(path, *failure);
    }

    bool sasautos(const RecordedSasautos& recorded, const SasautosUndo& undo) {
        const auto& path = recorded.config_file;
        if (!places_.is_sasautos_update(recorded))
            return not_ours(path, "not this program folder's entry in the SAS configuration file "
                                  "of a release installed here");
        if (is_refused_link(path))
            return false;
        if (recorded.outcome != SasautosOutcome::updated) {
            add(UninstallAction::left_as_before, path,
                recorded.outcome == SasautosOutcome::already_listed
                    ? "the macro folder was listed before the installation"
                    : "it had no SASAUTOS list");
            return true;
        }
        const auto content = files_.read_file(path);
        if (!content.ok())
            return gone_or_failed(path, content.error());
        const auto undone = undo(content.value(), recorded.macro_folder, recorded.change);
        if (undone == content.value()) {
            // Moved or copied by hand where no record tells it from the administrator's own.
            if (sasautos_names_folder(content.value(), recorded.macro_folder))
                add(UninstallAction::left_listed, path,
                    "the macro folder is still listed in " + path +
                        ", but not where this setup added it; remove it by hand");
            else
                add(UninstallAction::already_gone, path, "the macro folder is no longer listed");
            return true;
        }
        if (auto failure = files_.write_file(path, undone)) {
            add(UninstallAction::failed, path, failure->description);
            return false;
        }
        add(UninstallAction::removed, path, "the macro folder's SASAUTOS entry");
        return true;
    }

    // True when the file is gone, whether deleted now or before.
    bool deleted(const std::string& path) {
        const auto failure = files_.delete_file(path);
        if (failure)
            return gone_or_failed(path, *failure);
        add(UninstallAction::removed, path);
        return true;
    }

    void add(UninstallAction action, const std::string& path, std::string detail = "") {
        lines_.push_back({action, path, std::move(detail)});
        failures_ += action == UninstallAction::failed ? 1 : 0;
    }

  private:
    // A link is neither followed nor removed: it stays, and so does its entry in the record.
    bool is_refused_link(const std::string& path) {
        const auto refused = refuse_links(files_, {path});
        if (refused)
            add(UninstallAction::failed, path, refused->description);
        return refused.has_value();
    }

    // Handled by leaving it alone: whoever wrote it into the record must not steer this
    // program, which may run elevated, to delete it.
    bool not_ours(const std::string& path, const std::string& why) {
        add(UninstallAction::not_ours, path, why + "; the record names it, it is left as it is");
        return true;
    }

    bool gone_or_failed(const std::string& path, const PlatformError& error) {
        if (error.is_not_found()) {
            add(UninstallAction::already_gone, path);
            return true;
        }
        add(UninstallAction::failed, path, error.description);
        return false;
    }

    FileSystem& files_;
    Shell& shell_;
    Hashing& hashing_;
    const OwnPlaces& places_;
    std::vector<UninstallLine>& lines_;
    int failures_ = 0;
};

// Newest first; what is not handled stays in `left`, in its recorded order.
template <class T, class Step>
void undo_newest_first(const std::vector<T>& items, std::vector<T>& left, Step step) {
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if (!step(*it))
            left.insert(left.begin(), *it);
}

} // namespace

UninstallReport uninstall(const SetupRecord& record, const OwnPlaces& places, FileSystem& files,
                          Shell& shell, Hashing& hashing, const SasautosUndo& undo_sasautos) {
    UninstallReport report;
    auto& left = report.remaining;
    left.sas_version = record.sas_version;
    left.scope = record.scope;
    left.program_folder = record.program_folder;
    left.user = record.user;
    const auto record_path = setup_record_path(places.program_folder);
    Uninstaller undo(files, shell, hashing, places, report.lines);
    // The installation writes morvane.cfg last, after the SASAUTOS entry, the shortcuts
    // and the macro files, so it goes first.
    std::vector<RecordedFile> launch_configs, macro_files;
    for (const auto& file : record.files_written)
        (places.is_launch_config(file.path) ? launch_configs : macro_files).push_back(file);
    std::vector<RecordedFile> launch_configs_left;
    const auto undo_file = [&](const RecordedFile& file) { return undo.file(file); };
    undo_newest_first(launch_configs, launch_configs_left, undo_file);
    // A later update of the same file found the earlier one's entries in place, so the
    // newest is undone first, each taking out its own entries and final empty line.
    undo_newest_first(record.sasautos, left.sasautos, [&](const RecordedSasautos& recorded) {
        return undo.sasautos(recorded, undo_sasautos);
    });
    undo_newest_first(record.shortcuts_saved, left.shortcuts_saved,
                      [&](const std::string& path) { return undo.shortcut(path); });
    undo_newest_first(macro_files, left.files_written, undo_file);
    left.files_written.insert(left.files_written.end(), launch_configs_left.begin(),
                              launch_configs_left.end());
    undo_newest_first(record.folders_created, left.folders_created,
                      [&](const std::string& path) { return undo.folder(path); });

    const bool all_handled = left.shortcuts_saved.empty() && left.files_written.empty() &&
                             left.folders_created.empty() && left.sasautos.empty();
    bool record_settled = true;
    if (all_handled) {
        record_settled = report.record_removed = undo.deleted(record_path);
    } else if (auto failure = files.write_file(record_path, to_text(left))) {
        undo.add(UninstallAction::failed, record_path, failure->description);
        record_settled = false;
    }
    // An unfinished run's journal, once no record names it: only its plain file goes.
    if (record_settled && !record.journal.empty())
        files.delete_plain_file(journal_path(record_path, record.journal));
    return report;
}

std::string to_text(const UninstallLine& line) {
    std::string text;
    switch (line.action) {
    case UninstallAction::removed:
        text = "removed ";
        break;
    case UninstallAction::already_gone:
        text = "already gone ";
        break;
    case UninstallAction::kept_changed:
    case UninstallAction::kept_not_empty:
        text = "kept ";
        break;
    case UninstallAction::left_as_before:
        text = "unchanged ";
        break;
    case UninstallAction::failed:
        text = "failed ";
        break;
    case UninstallAction::not_ours:
    case UninstallAction::left_listed:
        text = "not removed ";
        break;
    }
    text += line.path;
    if (!line.detail.empty())
        text += ": " + line.detail;
    return text;
}

} // namespace morvane
