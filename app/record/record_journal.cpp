#include "app/record/record_journal.hpp"

#include "product/layout.hpp"

namespace morvane {
namespace {

// No value of a record holds a line break, so this line cannot be part of a state.
constexpr std::string_view state_end = "\r\n; end of state\r\n";

std::string_view folder_of(std::string_view path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

} // namespace

std::string journal_state(const SetupRecord& record) {
    auto text = to_text(record);
    text += state_end.substr(2);
    return text;
}

std::optional<std::string_view> latest_journal_state(std::string_view journal) {
    const auto end = journal.rfind(state_end);
    if (end == std::string_view::npos)
        return std::nullopt;
    const auto before = journal.substr(0, end + 2);
    const auto start = before.rfind(state_end);
    return before.substr(start == std::string_view::npos ? 0 : start + state_end.size());
}

bool is_journal_name(std::string_view name) {
    const std::string_view record_name = product_layout.setup_record;
    const std::string_view ending = product_layout.setup_journal;
    if (name.size() < record_name.size() + ending.size() + 4 || !name.starts_with(record_name) ||
        !name.ends_with(ending))
        return false;
    const auto middle =
        name.substr(record_name.size(), name.size() - record_name.size() - ending.size());
    return middle.starts_with(".{") && middle.ends_with("}") &&
           middle.substr(2, middle.size() - 3).find_first_not_of("0123456789abcdefABCDEF-") ==
               std::string_view::npos;
}

std::string journal_path(const std::string& record_path, std::string_view name) {
    return std::string(folder_of(record_path)) + std::string(name);
}

std::string last_name(const std::string& path) {
    return path.substr(folder_of(path).size());
}

} // namespace morvane
