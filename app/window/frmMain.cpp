#include "app/window/frmMain.hpp"

namespace morvane {

frmMain::frmMain(Platform& platform, SetupWindowView& view, InstallationRecord record,
                 Reporter& written, std::optional<ShortcutScope> asked)
    : platform_(platform), view_(view), status_line_(view),
      boxes_(platform.messages, written), reports_{&status_line_, &boxes_, &written},
      record_(std::move(record)), asked_scope_(asked) {
    for (const auto& sas : record_.sas)
        if (sas.release->listed_when_missing || sas.installed())
            options_.push_back(sas.release);
}

void frmMain::Form_Load() {
    std::vector<std::string> captions;
    for (const auto* release : options_)
        captions.emplace_back(release->caption);
    view_.set_options(captions);
    // The last installed release is selected, so a disabled option is never left
    // selected and the newest installed one is preselected.
    bool any_installed = false;
    for (std::size_t option = 0; option < options_.size(); ++option) {
        const int place = static_cast<int>(option);
        if (record_.of(*options_[option]).installed()) {
            view_.select(place);
            any_installed = true;
        } else {
            view_.set_enabled(place, false);
        }
    }
    if (!any_installed)
        view_.set_enabled(CommandButton::cmdInstall, false);
    installing_ = false;
}

bool frmMain::preselect(const SasRelease& release) {
    for (std::size_t option = 0; option < options_.size(); ++option)
        if (options_[option] == &release && record_.of(release).installed()) {
            view_.select(static_cast<int>(option));
            return true;
        }
    return false;
}

void frmMain::Form_KeyDown(int key_code, int /*shift*/) {
    if (key_code == key_escape && !installing_)
        cmdExit_Click();
    if (key_code == key_enter && !installing_ && view_.is_enabled(CommandButton::cmdInstall))
        cmdInstall_Click();
}

void frmMain::cmdExit_Click() {
    view_.unload();
}

void frmMain::close_requested() {
    // The close box acts as Exit, and like Exit not while installing.
    if (!installing_)
        cmdExit_Click();
}

const SasRelease* frmMain::chosen_release() {
    for (std::size_t option = 0; option < options_.size(); ++option)
        if (view_.is_selected(static_cast<int>(option)))
            return options_[option];
    return nullptr;
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

void frmMain::cmdInstall_Click() {
    const auto* release = chosen_release();
    if (release == nullptr)
        return;
    lock();
    const auto scope = choose_scope(asked_scope_, record_, platform_.account);
    if (!run_steps(install_steps(record_, *release, scope, platform_), *this)) {
        last_installation_ = Outcome::failed;
        return;
    }
    last_installation_ = Outcome::completed;
    completed();
    reports_.status("Installation completed.");
    view_.set_progress(100.0f);
    view_.refresh();
    reports_.box("Completed creating shortcut and macro files!", "Notice",
                 MessageIcon::information);
    view_.unload();
}

void frmMain::before_step(const InstallStep& step) {
    if (step.progress == InstallStep::Progress::silent)
        return;
    if (!step.status.empty())
        reports_.status(step.status);
    if (step.progress == InstallStep::Progress::start)
        view_.set_progress(0.0f);
    else if (step.progress == InstallStep::Progress::advance)
        view_.set_progress(view_.progress() + progress_increment);
    view_.refresh();
    platform_.pause.milliseconds(pause_before_step_ms);
}

void frmMain::step_failed(const InstallStep& step, const PlatformError& error) {
    // The box comes while the window is still locked, as the failing step's own box did.
    reports_.box(error.description, "Error!", MessageIcon::critical);
    reports_.error(step.error);
    completed();
}

void frmMain::note(const std::string& line) {
    // The status line, and with it the log, carries it until the next step's status.
    reports_.note(line);
}

} // namespace morvane
