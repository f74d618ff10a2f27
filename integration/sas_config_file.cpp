#include "integration/sas_config_file.hpp"
#include "text/ascii.hpp"

namespace morvane {
namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// A drive letter's root ("X:\") or a network share ("\\server"): not relative to anything.
bool is_absolute(std::string_view path) {
    const bool drive = path.size() >= 3 && ascii_upper(path[0]) >= 'A' &&
                       ascii_upper(path[0]) <= 'Z' && path[1] == ':' && is_separator(path[2]);
    const bool share = path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]);
    return drive || share;
}

// The file named by the first -CONFIG option SAS reads in a root configuration file's
// content (comments skipped, quoted or bare), as a full path: a leading !SASROOT stands
// for root, and a relative path is taken from root; nothing without such an option.
std::optional<std::string> first_config_option(std::string_view content, const std::string& root) {
    const auto value = first_option_value(content, "-CONFIG");
    if (!value)
        return std::nullopt;
    constexpr std::string_view sasroot = "!SASROOT";
    if (starts_with_ignoring_case(*value, sasroot))
        return root + value->substr(sasroot.size());
    if (is_absolute(*value))
        return value;
    // Taken from the root, not from whatever folder this program happens to run in.
    return root + "\\" + *value;
}

} // namespace

std::string sas_config_to_update(FileSystem& files, const SasRelease& release,
                                 const std::string& root) {
    const auto named_file = root + std::string(release.config_file);
    if (release.config_lookup == ConfigLookup::named_file)
        return named_file;
    if (release.config_lookup == ConfigLookup::named_file_then_root_config &&
        files.file_exists(named_file))
        return named_file;
    const auto root_file = files.read_file(root + "\\SASV9.CFG");
    if (!root_file.ok())
        return named_file;
    return first_config_option(root_file.value(), root).value_or(named_file);
}

} // namespace morvane
