#include "integration/sas_config_update.hpp"
#include "text/ascii.hpp"

#include "integration/sas_config_file.hpp"
#include "integration/sasautos_undo.hpp"

#include <functional>

namespace morvane {
namespace {

// The file's content and the update planned on it, alive only during the call to use,
// since the plan's pieces are views of both.
struct PlannedUpdate {
    std::string_view content; // the whole file, a byte order mark included
    bool utf8 = false;
    const std::string& macro_folder; // in the file's encoding
    const SasautosPlan& plan;
};

template <class T>
Result<T> with_plan(std::string_view content, TextEncoding& encoding,
                    const std::string& macro_folder,
                    const std::function<Result<T>(const PlannedUpdate&)>& use) {
    std::string_view text = content;
    const bool utf8 = text.starts_with(utf8_mark);
    if (utf8)
        text.remove_prefix(utf8_mark.size());
    const auto folder = utf8 ? Result<std::string>(macro_folder) : encoding.to_ansi(macro_folder);
    if (!folder.ok())
        return folder.error();
    const auto entry = sasautos_entry(folder.value());
    const auto plan = plan_sasautos_update(text, folder.value(), entry);
    return use({content, utf8, folder.value(), plan});
}

template <class T>
Result<T> with_plan(FileSystem& files, TextEncoding& encoding, const std::string& macro_folder,
                    const std::string& config_path,
                    const std::function<Result<T>(const PlannedUpdate&)>& use) {
    const auto content = files.read_file(config_path);
    if (!content.ok())
        return content.error();
    return with_plan(std::string_view(content.value()), encoding, macro_folder, use);
}

std::vector<std::string_view> new_parts(const PlannedUpdate& update) {
    std::vector<std::string_view> parts;
    if (update.utf8)
        parts.push_back(utf8_mark);
    parts.insert(parts.end(), update.plan.pieces.begin(), update.plan.pieces.end());
    return parts;
}

} // namespace

Result<SasConfigUpdate> update_sas_config_file(FileSystem& files, TextEncoding& encoding,
                                               const std::string& macro_folder,
                                               const std::string& config_path) {
    return with_plan<SasConfigUpdate>(
        files, encoding, macro_folder, config_path,
        [&](const PlannedUpdate& update) -> Result<SasConfigUpdate> {
            SasConfigUpdate done{update.plan.outcome, update.plan.change, update.macro_folder};
            if (done.outcome != SasautosOutcome::updated)
                return done;
            // Replaced whole: on failure the file keeps every byte it had.
            if (auto failure = files.write_file_parts(config_path, new_parts(update)))
                return *failure;
            return done;
        });
}

Result<SasConfigPreview> preview_sas_config_update(FileSystem& files, TextEncoding& encoding,
                                                   const std::string& macro_folder,
                                                   const std::string& config_path) {
    return with_plan<SasConfigPreview>(
        files, encoding, macro_folder, config_path,
        [](const PlannedUpdate& update) -> Result<SasConfigPreview> {
            SasConfigPreview preview{update.plan.outcome, std::string(update.content), ""};
            if (preview.outcome != SasautosOutcome::updated) {
                preview.after = preview.before;
                return preview;
            }
            for (const auto part : new_parts(update))
                preview.after += part;
            return preview;
        });
}

Result<SasautosOutcome> sas_config_outcome(std::string_view content, TextEncoding& encoding,
                                           const std::string& macro_folder) {
    return with_plan<SasautosOutcome>(
        content, encoding, macro_folder,
        [](const PlannedUpdate& update) -> Result<SasautosOutcome> { return update.plan.outcome; });
}

Result<std::vector<SasautosPlacement>> sas_config_placements(std::string_view content,
                                                             TextEncoding& encoding,
                                                             const std::string& macro_folder) {
    const bool utf8 = content.starts_with(utf8_mark);
    const auto folder = utf8 ? Result<std::string>(macro_folder) : encoding.to_ansi(macro_folder);
    if (!folder.ok())
        return folder.error();
    return sasautos_placements(content, folder.value());
}

std::string remove_sas_config_entry(std::string_view content, std::string_view macro_folder,
                                    const SasautosChange& change) {
    const bool utf8 = content.starts_with(utf8_mark);
    if (utf8)
        content.remove_prefix(utf8_mark.size());
    auto removal = remove_from_sasautos(content, macro_folder, change);
    return utf8 ? std::string(utf8_mark) + removal.content : std::move(removal.content);
}

} // namespace morvane
