#pragma once

#include "app/record/setup_record.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// A run's journal is the record's text, one whole state after another, each closed by
// a line of its own with a checksum; the last state whose checksum holds is the latest.
std::string journal_state(const SetupRecord& record);
std::optional<std::string_view> latest_journal_state(std::string_view journal);

// Whether name is one this program gives a journal beside the record: the record's own
// name, a part of hexadecimal digits between braces, the journal's ending.
bool is_journal_name(std::string_view name);
std::string journal_path(const std::string& record_path, std::string_view name);
std::string last_name(const std::string& path);

} // namespace morvane
