#include "app/install_sequence.hpp"

#include "integration/shortcuts.hpp"
#include "macros/macro_files.hpp"

#include <memory>

namespace morvane {

std::vector<InstallStep> install_steps(frmMain& form, Platform& platform,
                                       const std::string& sas_version) {
    auto writer = std::make_shared<SasFileWriter>(
        platform.files, platform.encoding, platform.messages, platform.location.program_folder());
    std::vector<InstallStep> steps;
    steps.push_back({"Creating autoexec.sas ...", "Error creating autoexec.sas ...",
                     InstallStep::Progress::start, [writer, &platform] {
                         return create_autoexec(*writer, platform.shell, platform.files);
                     }});
    for (const auto& macro_file : macro_files) {
        const std::string name(macro_file.file_name);
        steps.push_back({"Creating " + name + " ...", "Error creating " + name + " ...",
                         InstallStep::Progress::advance,
                         [writer, create = macro_file.create] { return create(*writer); }});
    }
    steps.push_back({"Creating desktop shortcut ...", "Error creating desktop shortcut ...",
                     InstallStep::Progress::advance, [writer, &form, &platform, sas_version] {
                         return create_shortcuts(sas_version, form.record(),
                                                 {platform.shell, platform.files, *writer,
                                                  platform.location.program_stem()});
                     }});
    steps.push_back({"Config SAS System ...", "Error configing SAS System ...",
                     InstallStep::Progress::advance, [&form] { return form.config_sas(); }});
    steps.push_back({"", "Error configing SAS System ...", InstallStep::Progress::keep,
                     [&form] { return form.create_tool_config(); }});
    return steps;
}

std::string frmMain::chosen_version() {
    std::string sas_version;
    if (view_.is_selected(OptionButton::optSas8))
        sas_version = "sas8";
    if (view_.is_selected(OptionButton::optSas9))
        sas_version = "sas9";
    if (view_.is_selected(OptionButton::optSas92))
        sas_version = "sas92";
    return sas_version;
}

void frmMain::lock() {
    view_.set_enabled(CommandButton::cmdInstall, false);
    view_.set_enabled(CommandButton::cmdExit, false);
    installing_ = true;
    view_.set_busy_pointer(true);
}

void frmMain::completed() {
    view_.set_enabled(CommandButton::cmdInstall, true);
    view_.set_enabled(CommandButton::cmdExit, true);
    installing_ = false;
    view_.set_busy_pointer(false);
}

bool frmMain::remove_stale_catalog(const std::string& sas_version) {
    const std::string* user_dir = nullptr;
    const std::string* catalog = nullptr;
    if (sas_version == "sas8") {
        user_dir = &record_.sas8_user_dir;
        catalog = &record_.sas8_user_catalog;
    } else if (sas_version == "sas9") {
        user_dir = &record_.sas91_user_dir;
        catalog = &record_.sas91_user_catalog;
    } else if (sas_version == "sas92") {
        user_dir = &record_.sas92_user_dir;
        catalog = &record_.sas92_user_catalog;
    }
    // Without a SASUSER folder the path would name the root of a drive.
    if (catalog == nullptr || user_dir->empty() || !platform_.files.file_exists(*catalog))
        return true;
    if (const auto failure = platform_.files.delete_file(*catalog)) {
        platform_.messages.show(failure->description, "Error!", MessageIcon::critical);
        return false;
    }
    return true;
}

void frmMain::cmdInstall_Click() {
    const auto sas_version = chosen_version();
    lock();
    if (!remove_stale_catalog(sas_version)) {
        view_.set_failure_status("Error deleting cdisc.sas7bcat ...");
        completed();
        return;
    }
    for (const auto& step : install_steps(*this, platform_, sas_version)) {
        if (!step.status.empty())
            view_.set_status(step.status);
        if (step.progress == InstallStep::Progress::start)
            view_.set_progress(0.0f);
        else if (step.progress == InstallStep::Progress::advance)
            view_.set_progress(view_.progress() + progress_increment);
        view_.refresh();
        platform_.pause.milliseconds(pause_before_step_ms);
        if (!step.run()) {
            view_.set_failure_status(step.error);
            completed();
            return;
        }
    }
    completed();
    view_.set_status("Installation completed.");
    view_.set_progress(100.0f);
    view_.refresh();
    platform_.messages.show("Completed creating shortcut and macro files!", "Notice",
                            MessageIcon::information);
    view_.unload();
}

} // namespace morvane
