#pragma once

#include "app/qualification/qualification_rows.hpp"
#include "app/record/setup_record.hpp"
#include "platform/computer.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace morvane {

// What was qualified. The release, the scope and the program folder are the setup
// record's, where it has them.
struct QualifiedInstallation {
    std::string program_folder;
    std::string program_file;
    std::string program_version;
    std::string program_sha256;
    std::string release;
    std::string sas_root;
    std::string registry_view;
    std::string sas_config_file;
    std::string scope;
};

// Where and when the check ran, and as whom.
struct CheckCircumstances {
    ComputerFacts computer;
    std::string account;
    std::string elevated;
    std::string local_time; // "2026-12-09 08:13:02 +01:00"
    std::string utc_time;   // "2026-12-09 07:13:02 UTC"
};

// Everything a qualification report states, in its order.
struct Qualification {
    QualifiedInstallation installation;
    CheckCircumstances circumstances;
    std::vector<QualificationRow> rows;
    std::string command; // the command line that checks again and writes the report anew
};

// What a check of the installation of release finds now. File bytes and shortcut members
// are the ones this program writes, never the record's. Fails when the installation's
// items cannot be worked out or a digest cannot be had.
Result<Qualification> qualify(const std::optional<SetupRecord>& record,
                              const InstallationRecord& installation, const SasRelease& release,
                              Platform& platform, const std::string& report_file);

// A moment as the report writes it, "YYYY-MM-DD HH:MM:SS" then the local offset from UTC
// ("+01:00") or "UTC".
std::string local_time_text(const ClockReading& reading);
std::string utc_time_text(const ClockReading& reading);

} // namespace morvane
