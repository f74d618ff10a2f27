#include "app/record/setup_journal.hpp"

#include "app/record/record_journal.hpp"
#include "app/reporting/link_refusal.hpp"
#include "product/layout.hpp"

#include <algorithm>

namespace morvane {
namespace {

template <class T> bool add_once(std::vector<T>& items, const T& item) {
    if (std::find(items.begin(), items.end(), item) != items.end())
        return false;
    items.push_back(item);
    return true;
}

} // namespace

SetupJournal::SetupJournal(FileSystem& files, Hashing& hashing, std::string record_path,
                           std::string sas_version)
    : files_(files), hashing_(hashing), path_(std::move(record_path)) {
    record_.sas_version = std::move(sas_version);
}

Failure SetupJournal::open() {
    auto earlier = read_setup_record(files_, path_);
    if (!earlier.ok())
        return earlier.error().is_not_found() ? std::nullopt : Failure(earlier.error());
    auto sas_version = std::move(record_.sas_version);
    record_ = earlier.value();
    changed_ = record_.sas_version != sas_version;
    record_.sas_version = std::move(sas_version);
    // Folded in here; the record stops naming it with this run's first save.
    if (!record_.journal.empty()) {
        earlier_journal_ = journal_path(path_, record_.journal);
        changed_ = true;
    }
    return std::nullopt;
}

Failure SetupJournal::save() {
    if (!changed_)
        return std::nullopt;
    auto failure = journal_ ? journal_->append(journal_state(record_)) : start_journal();
    if (failure)
        return not_written(*failure);
    changed_ = false;
    return std::nullopt;
}

Failure SetupJournal::finish() {
    if (auto failure = save())
        return failure;
    if (!journal_)
        return std::nullopt;
    record_.journal.clear();
    if (auto failure = write_record()) {
        // The record on the disk still names the journal, which holds every step.
        record_.journal = last_name(journal_->path());
        return not_written(*failure);
    }
    // Left behind, it is named by nothing and read by nobody.
    journal_->remove();
    journal_.reset();
    return std::nullopt;
}

Failure SetupJournal::start_journal() {
    auto made = files_.create_journal(path_, product_layout.setup_journal);
    if (!made.ok())
        return made.error();
    record_.journal = last_name(made.value()->path());
    if (auto failure = write_record()) {
        made.value()->remove();
        record_.journal.clear();
        return failure;
    }
    journal_ = made.value();
    delete_earlier_journal();
    return std::nullopt;
}

PlatformError SetupJournal::not_written(const PlatformError& failure) const {
    return {failure.kind,
            "The setup record " + path_ + " cannot be written: " + failure.description};
}

Failure SetupJournal::write_record() {
    // The record lies in the kit, which users may be able to change.
    if (auto refused = refuse_links(files_, {path_}))
        return refused;
    return files_.write_file(path_, to_text(record_));
}

void SetupJournal::delete_earlier_journal() {
    if (earlier_journal_.empty())
        return;
    // Only the plain file of that name; a link or second name planted there stays.
    files_.delete_plain_file(earlier_journal_);
    earlier_journal_.clear();
}

void SetupJournal::made_for(const std::string& program_folder,
                            const std::optional<RecordedUser>& user) {
    // Saved with the first thing the installation does: a record that tells nothing else
    // is not worth a failure of its own.
    record_.program_folder = program_folder;
    if (user)
        record_.user = user;
}

void SetupJournal::folder_made(const std::string& path) {
    changed_ |= add_once(record_.folders_created, path);
}

Failure SetupJournal::file_written(const std::string& path, std::string_view bytes) {
    const auto digest = hashing_.sha256_hex(bytes);
    if (!digest.ok())
        return digest.error();
    auto hash = digest.value();
    const auto same_path = [&](const RecordedFile& file) { return file.path == path; };
    const auto found =
        std::find_if(record_.files_written.begin(), record_.files_written.end(), same_path);
    if (found == record_.files_written.end())
        record_.files_written.push_back({path, std::move(hash)});
    else
        found->sha256 = std::move(hash);
    changed_ = true;
    return std::nullopt;
}

void SetupJournal::shortcut_saved(const std::string& path) {
    changed_ |= add_once(record_.shortcuts_saved, path);
}

void SetupJournal::shortcuts_for(ShortcutScope scope) {
    changed_ |= record_.scope != scope;
    record_.scope = scope;
}

void SetupJournal::sas_config_updated(const std::string& config_file,
                                      const SasConfigUpdate& update) {
    auto& updates = record_.sasautos;
    const auto same_file = [&](const RecordedSasautos& earlier) {
        return earlier.config_file == config_file;
    };
    if (update.outcome != SasautosOutcome::updated) {
        // Whatever is recorded for the file already tells how the folder came to be
        // listed there, or that it had no list.
        if (std::none_of(updates.begin(), updates.end(), same_file)) {
            updates.push_back({config_file, update.macro_folder, update.outcome, {}});
            changed_ = true;
        }
        return;
    }
    // "It had no list" is no longer true of a file that got the entry.
    std::erase_if(updates, [&](const RecordedSasautos& earlier) {
        return same_file(earlier) && earlier.outcome == SasautosOutcome::no_list;
    });
    updates.push_back({config_file, update.macro_folder, update.outcome, update.change});
    changed_ = true;
}

} // namespace morvane
