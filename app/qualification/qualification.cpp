#include "app/qualification/qualification.hpp"

#include "app/install/changeable_macro_folder.hpp"
#include "app/install/installation_scope.hpp"
#include "app/lifecycle/installation_items.hpp"
#include "app/lifecycle/recorded_user_shell.hpp"

#include <cstdio>

namespace morvane {
namespace {

std::string date_and_time(std::chrono::sys_seconds moment) {
    const auto day = std::chrono::floor<std::chrono::days>(moment);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss time(moment - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

std::string scope_text(const std::optional<SetupRecord>& record,
                       const InstallationRecord& installation) {
    const auto name = [](ShortcutScope scope) {
        return scope == ShortcutScope::all_users ? std::string("all users")
                                                 : std::string("current user");
    };
    if (record && record->scope)
        return name(*record->scope);
    return name(installation.all_users == "1" ? ShortcutScope::all_users
                                              : ShortcutScope::current_user) +
           " (not recorded; as the registry says now)";
}

std::string registry_view_text(Registry& registry, const SasInstallation& sas) {
    const auto value = registry.read_local_machine(sas.key, "DefaultRoot");
    if (!value)
        return "not found";
    return value->view == RegistryView::bits64 ? "64-bit" : "32-bit (WOW6432Node)";
}

QualifiedInstallation qualified_installation(const std::optional<SetupRecord>& record,
                                             const InstallationRecord& installation,
                                             const SasRelease& release,
                                             const InstallationItems& items, Platform& platform) {
    QualifiedInstallation qualified;
    const auto running_folder = platform.location.program_folder();
    qualified.program_folder =
        record && !record->program_folder.empty() ? record->program_folder : running_folder;
    qualified.program_file = platform.location.program_stem() + ".exe";
    qualified.program_version = platform.computer.program_version();
    if (qualified.program_version.empty())
        qualified.program_version = "none";
    const auto program = platform.files.read_file(running_folder + "\\" + qualified.program_file);
    const auto digest = program.ok() ? platform.hashing.sha256_hex(program.value())
                                     : Result<std::string>(program.error());
    qualified.program_sha256 =
        digest.ok() ? digest.value() : "cannot be had: " + digest.error().description;
    const auto& sas = installation.of(release);
    qualified.release = std::string(release.caption) + (record ? "" : " (nothing is recorded)");
    qualified.sas_root = sas.root;
    qualified.registry_view = registry_view_text(platform.registry, sas);
    qualified.sas_config_file = items.sas_config_file;
    qualified.scope = scope_text(record, installation);
    return qualified;
}

CheckCircumstances check_circumstances(Platform& platform) {
    CheckCircumstances circumstances;
    circumstances.computer = platform.computer.facts();
    const auto account = platform.account.current();
    circumstances.account =
        account.ok() ? account.value().name : "unknown: " + account.error().description;
    circumstances.elevated = account.ok() ? (account.value().elevated ? "yes" : "no") : "unknown";
    const auto now = platform.computer.now();
    circumstances.local_time = local_time_text(now);
    circumstances.utc_time = utc_time_text(now);
    return circumstances;
}

} // namespace

std::string local_time_text(const ClockReading& reading) {
    const auto minutes = reading.utc_offset.count();
    const auto distance = minutes < 0 ? -minutes : minutes;
    char offset[16];
    std::snprintf(offset, sizeof offset, " %c%02d:%02d", minutes < 0 ? '-' : '+',
                  static_cast<int>(distance / 60), static_cast<int>(distance % 60));
    return date_and_time(reading.utc + reading.utc_offset) + offset;
}

std::string utc_time_text(const ClockReading& reading) {
    return date_and_time(reading.utc) + " UTC";
}

Result<Qualification> qualify(const std::optional<SetupRecord>& record,
                              const InstallationRecord& installation, const SasRelease& release,
                              Platform& platform, const std::string& report_file) {
    // The places a verify would check: the recorded scope, else the one an installation
    // would choose now.
    const auto scope = record ? recorded_scope(*record, installation)
                              : choose_scope(std::nullopt, installation, platform.account).scope;
    auto users_shell = recorded_users_shell(record, platform);
    auto as_recorded = with_shell(platform, users_shell);
    const auto items = installation_items(installation, release, scope, as_recorded);
    if (!items.ok())
        return items.error();
    const auto rows = qualification_rows(items.value(),
                                         found_items(items.value(), platform.files, platform.shell),
                                         platform.hashing, platform.encoding);
    if (!rows.ok())
        return rows.error();
    auto all_rows = rows.value();
    if (const auto note = changeable_macro_folder_note(platform.files, items.value().macro_folder,
                                                       platform.location.program_folder(),
                                                       items.value().sas_config_file))
        all_rows.push_back({items.value().macro_folder, ItemResult::note, Finding{*note}});
    Qualification qualification{
        qualified_installation(record, installation, release, items.value(), platform),
        check_circumstances(platform), std::move(all_rows), ""};
    qualification.command = "\"" + platform.location.program_folder() + "\\" +
                            qualification.installation.program_file +
                            "\" /verify /silent \"/report=" + report_file + "\"";
    return qualification;
}

} // namespace morvane
