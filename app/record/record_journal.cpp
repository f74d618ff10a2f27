#include "app/record/record_journal.hpp"

#include "product/layout.hpp"

#include <cstdint>

namespace morvane {
namespace {

// Each state is closed by this line and a checksum of the state's text. No value of a
// record holds a line break, so the line cannot be part of a state; the checksum tells a
// state that a power cut left with pages of zeros from a whole one.
constexpr std::string_view state_end = "\r\n; end of state ";
constexpr std::size_t checksum_digits = 16;

std::string checksum_of(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    std::string digits(checksum_digits, '0');
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit, hash >>= 4)
        *digit = "0123456789abcdef"[hash & 0xF];
    return digits;
}

std::string_view folder_of(std::string_view path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

} // namespace

std::string journal_state(const SetupRecord& record) {
    auto text = to_text(record);
    const auto checksum = checksum_of(text);
    (text += state_end.substr(2)) += checksum;
    return text += "\r\n";
}

std::optional<std::string_view> latest_journal_state(std::string_view journal) {
    // Only the last state can be torn: each is on the disk before the next is added.
    for (auto end = journal.rfind(state_end); end != std::string_view::npos;
         end = end == 0 ? std::string_view::npos : journal.rfind(state_end, end - 1)) {
        const auto closing = journal.substr(end + state_end.size());
        if (closing.size() < checksum_digits + 2 || closing.substr(checksum_digits, 2) != "\r\n")
            continue;
        const auto before = journal.substr(0, end + 2);
        const auto start = before.rfind(state_end);
        const auto state = before.substr(
            start == std::string_view::npos ? 0 : start + state_end.size() + checksum_digits + 2);
        if (closing.substr(0, checksum_digits) == checksum_of(state))
            return state;
    }
    return std::nullopt;
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
