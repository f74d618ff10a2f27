#include "sas/sas_releases.hpp"

namespace morvane {

const SasRelease* release_with_version_key(std::string_view version_key) {
    for (const auto& release : sas_releases)
        if (release.version_key == version_key)
            return &release;
    return nullptr;
}

const SasRelease* release_with_switch_value(std::string_view switch_value) {
    for (const auto& release : sas_releases)
        if (release.switch_value == switch_value)
            return &release;
    return nullptr;
}

std::string switch_values(std::string_view separator, std::string_view last_separator) {
    std::string text;
    for (std::size_t i = 0; i < sas_releases.size(); ++i) {
        if (i > 0)
            text += i + 1 == sas_releases.size() ? last_separator : separator;
        text += sas_releases[i].switch_value;
    }
    return text;
}

} // namespace morvane
