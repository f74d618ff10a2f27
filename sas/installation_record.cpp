#include "sas/installation_record.hpp"

namespace morvane {

const SasInstallation& InstallationRecord::of(const SasRelease& release) const {
    return sas.at(static_cast<std::size_t>(&release - sas_releases.data()));
}

const SasInstallation* InstallationRecord::with_version_key(std::string_view version_key) const {
    const auto* release = release_with_version_key(version_key);
    return release == nullptr ? nullptr : &of(*release);
}

const SasRelease* InstallationRecord::newest_installed() const {
    const SasRelease* newest = nullptr;
    for (const auto& installation : sas)
        if (installation.installed())
            newest = installation.release;
    return newest;
}

} // namespace morvane
