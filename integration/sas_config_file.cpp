#include "integration/sas_config_file.hpp"

#include <algorithm>

namespace morvane {
namespace {

constexpr std::string_view blanks = " \t";

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (upper(text[i]) != upper(prefix[i]))
            return false;
    }
    return true;
}

// The option's value: up to the closing quote, or to the next blank when bare.
std::string_view option_value(std::string_view rest) {
    rest.remove_prefix(std::min(rest.find_first_not_of(blanks), rest.size()));
    if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
        const auto close = rest.find(rest.front(), 1);
        return rest.substr(1, close == std::string_view::npos ? close : close - 1);
    }
    return rest.substr(0, rest.find_first_of(blanks));
}

} // namespace

std::optional<std::string> first_config_option(std::string_view content, const std::string& root) {
    if (content.starts_with(utf8_mark))
        content.remove_prefix(utf8_mark.size());
    constexpr std::string_view option = "-CONFIG";
    while (!content.empty()) {
        const auto end = content.find_first_of("\r\n");
        auto line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        line.remove_prefix(std::min(line.find_first_not_of(blanks), line.size()));
        if (!starts_with_ignoring_case(line, option) ||
            (line.size() > option.size() && blanks.find(line[option.size()]) == line.npos))
            continue;
        const auto value = option_value(line.substr(option.size()));
        if (value.empty())
            continue;
        constexpr std::string_view sasroot = "!SASROOT";
        if (starts_with_ignoring_case(value, sasroot))
            return root + std::string(value.substr(sasroot.size()));
        return std::string(value);
    }
    return std::nullopt;
}

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
