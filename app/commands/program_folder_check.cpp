#include "app/commands/program_folder_check.hpp"

#include "app/record/setup_record.hpp"
#include "app/reporting/link_refusal.hpp"
#include "text/ascii.hpp"

namespace morvane {
namespace {

// The folder and every folder above it, below the root: a link anywhere on the way would
// let whoever can change it send the recorded spelling somewhere else later.
std::vector<std::string> folders_on_the_way(const std::string& folder) {
    std::vector<std::string> steps;
    // Below "C:\" or below a share's "\\server\share\": a server alone is no folder.
    auto root_end = std::string::size_type{2};
    if (folder.starts_with("\\\\")) {
        const auto server_end = folder.find('\\', 2);
        root_end = server_end == folder.npos ? folder.npos : folder.find('\\', server_end + 1);
    }
    for (auto at = root_end == folder.npos ? folder.npos : folder.find('\\', root_end + 1);
         at != folder.npos; at = folder.find('\\', at + 1))
        steps.push_back(folder.substr(0, at));
    steps.push_back(folder);
    return steps;
}

} // namespace

Result<std::string> working_program_folder(Platform& platform, bool must_match) {
    const auto here = platform.location.program_folder();
    const auto record_path = setup_record_path(here);
    // A record that cannot be read is the command's to report, as it always has been.
    const auto record = read_setup_record(platform.files, record_path);
    if (!record.ok() || record.value().program_folder.empty())
        return here;
    const auto& recorded = record.value().program_folder;
    if (same_ignoring_case(recorded, here))
        return recorded;
    const auto same = platform.files.same_folder(here, recorded);
    if (same.ok() && same.value()) {
        const auto link = refuse_links(platform.files, folders_on_the_way(recorded));
        if (!link)
            return recorded;
        if (must_match)
            return *link;
        return here;
    }
    if (!must_match)
        return here;
    return PlatformError{PlatformError::Kind::other,
                         "The setup record " + record_path + " belongs to the program folder " +
                             recorded + ", not to " + here +
                             ": run the setup from the folder it was installed from."};
}

Platform in_location(const Platform& platform, ProgramLocation& location) {
    return {platform.registry, platform.files,   platform.encoding, platform.shell,
            location,          platform.pause,   platform.messages, platform.hashing,
            platform.account,  platform.computer};
}

} // namespace morvane
