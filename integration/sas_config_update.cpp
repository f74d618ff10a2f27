#include "integration/sas_config_update.hpp"

#include "integration/sasautos_update.hpp"

namespace morvane {

bool update_sas_config_file(FileSystem& files, TextEncoding& encoding, const SasFileWriter& writer,
                            const std::string& config_path) {
    const auto content = files.read_file(config_path);
    if (!content.ok()) {
        writer.report(content.error());
        return false;
    }
    const auto macro_folder = encoding.to_ansi(writer.macro_folder());
    if (!macro_folder.ok()) {
        writer.report(macro_folder.error());
        return false;
    }
    const auto entry = sasautos_entry(macro_folder.value());
    const auto updated = sasautos_update_pieces(content.value(), macro_folder.value(), entry);
    if (!updated)
        return true;

    const auto new_file = config_path + ".morvane-new";
    auto failure = files.write_file_parts(new_file, *updated);
    if (!failure)
        failure = files.replace_file(new_file, config_path);
    if (failure) {
        files.delete_file(new_file);
        writer.report(*failure);
        return false;
    }
    return true;
}

} // namespace morvane
