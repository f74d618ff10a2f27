#include "integration/sas_config_update.hpp"

#include "integration/sas_config_file.hpp"
#include "integration/sasautos_update.hpp"

#include <string_view>

namespace morvane {

Failure update_sas_config_file(FileSystem& files, TextEncoding& encoding,
                               const std::string& macro_folder, const std::string& config_path) {
    const auto content = files.read_file(config_path);
    if (!content.ok())
        return content.error();
    std::string_view text = content.value();
    const bool utf8 = text.starts_with(utf8_mark);
    if (utf8)
        text.remove_prefix(utf8_mark.size());
    const auto folder = utf8 ? Result<std::string>(macro_folder) : encoding.to_ansi(macro_folder);
    if (!folder.ok())
        return folder.error();
    const auto entry = sasautos_entry(folder.value());
    auto updated = sasautos_update_pieces(text, folder.value(), entry);
    if (!updated)
        return std::nullopt;
    if (utf8)
        updated->insert(updated->begin(), utf8_mark);

    const auto new_file = config_path + ".morvane-new";
    auto failure = files.write_file_parts(new_file, *updated);
    if (!failure)
        failure = files.replace_file(new_file, config_path);
    if (failure)
        files.delete_file(new_file);
    return failure;
}

} // namespace morvane
