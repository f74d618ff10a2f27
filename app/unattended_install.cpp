#include "app/unattended_install.hpp"

#include "app/install_sequence.hpp"
#include "app/startup.hpp"

#include <exception>

namespace morvane {
namespace {

class ConsoleObserver : public InstallObserver {
  public:
    ConsoleObserver(Console& console, InstallLog& log) : console_(console), log_(log) {}

    void out(const std::string& line) {
        console_.out(line);
        log_.write(line);
    }
    void err(const std::string& line) {
        console_.err(line);
        log_.write(line);
    }
    void before_step(const InstallStep& step) override {
        if (!step.status.empty())
            out(step.status);
    }
    void step_failed(const InstallStep& step, const PlatformError& error) override {
        err(step.error + " " + error.description);
    }
    void note(const std::string& line) override { out(line); }

  private:
    Console& console_;
    InstallLog& log_;
};

} // namespace

int run_unattended(const CommandLine& options, Platform& platform, Console& console,
                   InstallLog& log) {
    ConsoleObserver observer(console, log);
    InstallationRecord record;
    try {
        record = read_installation_record(platform.registry);
    } catch (const std::exception&) {
        observer.err(std::string("Error! ") + registry_error_text);
        return exit_step_failed;
    }
    const auto* release = options.release ? options.release : record.newest_installed();
    if (release == nullptr) {
        observer.err("No SAS System version is installed.");
        return exit_no_sas;
    }
    if (!record.of(*release).installed()) {
        observer.err(std::string(release->caption) + " is not installed.");
        return exit_no_sas;
    }
    if (!run_steps(install_steps(record, *release, platform), observer))
        return exit_step_failed;
    observer.out("Installation completed.");
    observer.out("Completed creating shortcut and macro files!");
    return exit_installed;
}

} // namespace morvane
