#include "app/install/install_sequence.hpp"

#include "app/install/changeable_macro_folder.hpp"
#include "app/install/installing_user.hpp"
#include "app/install/journaling_services.hpp"
#include "app/reporting/link_refusal.hpp"
#include "integration/sas_config_file.hpp"
#include "integration/sas_config_update.hpp"
#include "integration/shortcuts.hpp"
#include "integration/tool_config.hpp"
#include "macros/macro_files.hpp"
#include "product/layout.hpp"

#include <memory>

namespace morvane {
namespace {

// The catalog sits in a folder its user can change: anything but the plain file itself,
// a link or a folder planted under its name, is left alone.
Failure remove_stale_catalog(const SasInstallation& sas, FileSystem& files,
                             InstallObserver& observer) {
    // Without a SASUSER folder the path would name the root of a drive.
    if (sas.user_dir.empty() ||
        (!files.file_exists(sas.user_catalog) && !files.folder_exists(sas.user_catalog)))
        return std::nullopt;
    const auto deleted = files.delete_plain_file(sas.user_catalog);
    if (!deleted.ok())
        return deleted.error().is_not_found() ? Failure() : deleted.error();
    if (!deleted.value())
        observer.note(sas.user_catalog + " is not a plain file: left in place");
    return std::nullopt;
}

// What the steps of one run share: the record of what they did, and the services that
// write into it.
struct RunState {
    RunState(Platform& platform, const SasRelease& release)
        : journal(platform.files, platform.hashing,
                  setup_record_path(platform.location.program_folder()),
                  std::string(release.version_key)),
          files(platform.files, journal), shell(platform.shell, platform.files, journal),
          writer(files, platform.encoding, platform.location.program_folder()) {}

    // The macro folder stays held from the first macro file to the last, so that nothing
    // can take its place in between; a failure lets it go at once.
    template <class Create> Failure write_macro_file(const Create& create, bool last) {
        auto failure = create(writer);
        if (failure || last)
            macro_folder_hold.reset();
        return failure;
    }

    SetupJournal journal;
    JournalingFileSystem files;
    JournalingShell shell;
    SasFileWriter writer;
    std::shared_ptr<FolderHold> macro_folder_hold;
};

// The macro folder and the current user's Start-menu folders, which are made with it:
// anything written below a link would land where the link points.
Failure refuse_linked_folders(Platform& platform, const std::string& macro_folder) {
    std::vector<std::string> folders{macro_folder};
    if (const auto programs = platform.shell.special_folder(SpecialFolder::programs); programs.ok())
        for (const auto folder_in : {vendor_folder_path, product_folder_path})
            folders.push_back(folder_in(programs.value()));
    return refuse_links(platform.files, folders);
}

Failure update_sas_config(const SasInstallation& sas, Platform& platform, RunState& run,
                          InstallObserver& observer) {
    const auto config = sas_config_to_update(platform.files, *sas.release, sas.root);
    if (auto refused = refuse_links(platform.files, {config}))
        return refused;
    const auto update = update_sas_config_file(platform.files, platform.encoding,
                                               run.writer.macro_folder(), config);
    if (!update.ok())
        return update.error();
    run.journal.sas_config_updated(config, update.value());
    if (update.value().outcome == SasautosOutcome::no_list)
        observer.note("SASAUTOS list not found in " + config +
                      ": the macro folder is not on the autocall path");
    else if (const auto note = changeable_macro_folder_note(
                 platform.files, run.writer.macro_folder(), run.writer.program_folder(), config))
        observer.note(*note);
    return std::nullopt;
}

// What a refused step adds where the process lacks the rights that would have let it.
void tell_about_rights(PlatformError& failure, Account& account) {
    if (failure.kind != PlatformError::Kind::access_denied)
        return;
    const auto current = account.current();
    if (current.ok() && !current.value().elevated)
        failure.description += " The setup needs to be run as administrator.";
}

} // namespace

std::vector<InstallStep> install_steps(const InstallationRecord& record, const SasRelease& release,
                                       const ScopeChoice& scope, Platform& platform) {
    const auto& sas = record.of(release);
    auto run = std::make_shared<RunState>(platform, release);
    std::vector<InstallStep> steps;
    steps.push_back({"", "Error reading the setup record ...", InstallStep::Progress::silent,
                     [run, &platform](InstallObserver&) -> Failure {
                         if (auto failure = run->journal.open())
                             return failure;
                         run->journal.made_for(platform.location.program_folder(),
                                               installing_user(platform));
                         return std::nullopt;
                     }});
    steps.push_back({"", "Error deleting cdisc.sas7bcat ...", InstallStep::Progress::silent,
                     [&sas, &platform](InstallObserver& observer) {
                         return remove_stale_catalog(sas, platform.files, observer);
                     }});
    steps.push_back({"Creating autoexec.sas ...", "Error creating autoexec.sas ...",
                     InstallStep::Progress::start, [run, &platform](InstallObserver&) -> Failure {
                         if (auto refused =
                                 refuse_linked_folders(platform, run->writer.macro_folder()))
                             return refused;
                         create_folders(run->shell, run->files, run->writer.macro_folder());
                         auto hold = run->files.hold_folder(run->writer.macro_folder());
                         if (!hold.ok())
                             return hold.error();
                         run->macro_folder_hold = hold.value();
                         return run->write_macro_file(write_autoexec, false);
                     }});
    for (const auto& macro_file : macro_files) {
        const std::string name(macro_file.file_name);
        const bool last = &macro_file == std::end(macro_files) - 1;
        steps.push_back({"Creating " + name + " ...", "Error creating " + name + " ...",
                         InstallStep::Progress::advance,
                         [run, create = macro_file.create, last](InstallObserver&) {
                             return run->write_macro_file(create, last);
                         }});
    }
    steps.push_back({"Creating desktop shortcut ...", "Error creating desktop shortcut ...",
                     InstallStep::Progress::advance,
                     [run, &record, &release, &platform, scope](InstallObserver& observer) {
                         if (!scope.reason.empty())
                             observer.note(scope.reason);
                         run->journal.shortcuts_for(scope.scope);
                         const auto folders = shortcut_folders_made(scope.scope, platform.shell);
                         if (folders.ok())
                             if (auto refused = refuse_links(platform.files, folders.value()))
                                 return refused;
                         return create_shortcuts(release, record, scope.scope,
                                                 {run->shell, run->files,
                                                  run->writer.program_folder(),
                                                  platform.location.program_stem()});
                     }});
    steps.push_back({"Config SAS System ...", "Error configing SAS System ...",
                     InstallStep::Progress::advance,
                     [run, &sas, &platform](InstallObserver& observer) {
                         return update_sas_config(sas, platform, *run, observer);
                     }});
    steps.push_back({"", "Error configing SAS System ...", InstallStep::Progress::keep,
                     [run](InstallObserver&) { return write_tool_config(run->writer); }});
    // Whatever a step did, also before failing, is in the record when the next one starts;
    // the run ends with the last step or the first failure, and so does its journal.
    for (std::size_t i = 1; i < steps.size(); ++i)
        steps[i].run = [run, step = std::move(steps[i].run),
                        last = i + 1 == steps.size()](InstallObserver& observer) {
            auto failure = step(observer);
            const auto saved = failure || last ? run->journal.finish() : run->journal.save();
            if (!failure)
                return saved;
            // Both must be seen: without the record, what the step did cannot be undone.
            if (saved)
                failure->description += " " + saved->description;
            return failure;
        };
    for (auto& step : steps)
        step.run = [&platform, step = std::move(step.run)](InstallObserver& observer) {
            auto failure = step(observer);
            if (failure)
                tell_about_rights(*failure, platform.account);
            return failure;
        };
    return steps;
}

bool run_steps(const std::vector<InstallStep>& steps, InstallObserver& observer) {
    for (const auto& step : steps) {
        observer.before_step(step);
        if (const auto failure = step.run(observer)) {
            observer.step_failed(step, *failure);
            return false;
        }
    }
    return true;
}

} // namespace morvane
