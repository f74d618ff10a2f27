#pragma once

#include "platform/file_system.hpp"
#include "platform/message_box.hpp"
#include "platform/setup_window_view.hpp"

#include <functional>
#include <optional>
#include <string>

namespace morvane {

// The /log file: every status and error line, each after a timestamp.
class InstallLog {
  public:
    InstallLog(FileSystem& files, std::optional<std::string> path,
               std::function<std::string()> timestamp);

    // Makes sure the file can be written before anything is installed.
    Failure open();
    void write(const std::string& line);
    bool enabled() const { return path_.has_value(); }

  private:
    FileSystem& files_;
    std::optional<std::string> path_;
    std::function<std::string()> timestamp_;
};

// The local time as "YYYY-MM-DD HH:MM:SS".
std::string local_timestamp();

// The window, with every status it shows also written to the log.
class LoggedView : public SetupWindowView {
  public:
    LoggedView(SetupWindowView& window, InstallLog& log) : window_(window), log_(log) {}

    void set_options(const std::vector<std::string>& captions) override {
        window_.set_options(captions);
    }
    bool is_enabled(int option) override { return window_.is_enabled(option); }
    void set_enabled(int option, bool on) override { window_.set_enabled(option, on); }
    bool is_selected(int option) override { return window_.is_selected(option); }
    void select(int option) override { window_.select(option); }
    bool is_enabled(CommandButton button) override { return window_.is_enabled(button); }
    void set_enabled(CommandButton button, bool on) override { window_.set_enabled(button, on); }
    void set_status(const std::string& text) override;
    float progress() override { return window_.progress(); }
    void set_progress(float value) override { window_.set_progress(value); }
    void set_busy_pointer(bool busy) override { window_.set_busy_pointer(busy); }
    void refresh() override { window_.refresh(); }
    void show() override { window_.show(); }
    void unload() override { window_.unload(); }

  private:
    SetupWindowView& window_;
    InstallLog& log_;
};

// Message boxes, with every text also written to the log.
class LoggedMessageBoxes : public MessageBoxes {
  public:
    LoggedMessageBoxes(MessageBoxes& boxes, InstallLog& log) : boxes_(boxes), log_(log) {}
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool ask(const std::string& text, const std::string& title) override;

  private:
    MessageBoxes& boxes_;
    InstallLog& log_;
};

} // namespace morvane
