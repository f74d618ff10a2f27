#include "app/uninstall.hpp"

#include "app/sha256.hpp"

namespace morvane {
namespace {

// Each step says whether its item is handled: undone, found gone, or kept on purpose.
// Only a failure leaves an item to be undone later.
class Uninstaller {
  public:
    Uninstaller(FileSystem& files, std::vector<UninstallLine>& lines)
        : files_(files), lines_(lines) {}

    bool shortcut(const std::string& path) { return deleted(path); }

    bool file(const RecordedFile& file) {
        const auto content = files_.read_file(file.path);
        if (!content.ok())
            return gone_or_failed(file.path, content.error());
        // Someone's own edits are theirs to keep.
        if (sha256_hex(content.value()) != file.sha256) {
            add(UninstallAction::kept_changed, file.path, "changed since the installation");
            return true;
        }
        return deleted(file.path);
    }

    bool folder(const std::string& path) {
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
    bool gone_or_failed(const std::string& path, const PlatformError& error) {
        if (error.is_not_found()) {
            add(UninstallAction::already_gone, path);
            return true;
        }
        add(UninstallAction::failed, path, error.description);
        return false;
    }

    FileSystem& files_;
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

UninstallReport uninstall(const SetupRecord& record, const std::string& record_path,
                          FileSystem& files, const SasautosUndo& undo_sasautos) {
    UninstallReport report;
    auto& left = report.remaining;
    left.sas_version = record.sas_version;
    Uninstaller undo(files, report.lines);
    undo_newest_first(record.shortcuts_saved, left.shortcuts_saved,
                      [&](const std::string& path) { return undo.shortcut(path); });
    undo_newest_first(record.files_written, left.files_written,
                      [&](const RecordedFile& file) { return undo.file(file); });
    undo_newest_first(record.folders_created, left.folders_created,
                      [&](const std::string& path) { return undo.folder(path); });
    if (record.sasautos && !undo.sasautos(*record.sasautos, undo_sasautos))
        left.sasautos = record.sasautos;

    const bool all_handled = left.shortcuts_saved.empty() && left.files_written.empty() &&
                             left.folders_created.empty() && !left.sasautos;
    if (all_handled) {
        report.record_removed = undo.deleted(record_path);
    } else if (auto failure = files.write_file(record_path, to_text(left))) {
        undo.add(UninstallAction::failed, record_path, failure->description);
    }
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
    }
    text += line.path;
    if (!line.detail.empty())
        text += ": " + line.detail;
    return text;
}

} // namespace morvane
