#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// How the blanks at the end of a generated line are decided.
struct Padding {
    enum class Kind { none, to_width, blanks };
    Kind kind = Kind::none;
    std::size_t count = 0;
};

inline constexpr Padding no_padding{};
inline constexpr Padding pad_to_78{Padding::Kind::to_width, 78};
inline constexpr Padding trailing_blanks(std::size_t count) {
    return {Padding::Kind::blanks, count};
}

std::string padded(std::string text, Padding padding);

// The five lines naming prefix_a to prefix_z (a-e, f-j, k-o, p-t, u-z).
std::vector<std::string> letter_parameter_lines(std::string_view prefix,
                                                const Padding (&paddings)[5]);

// The five lines naming path_a to path_z, the same in both long macro files.
std::vector<std::string> data_folder_parameter_lines();

// The 520 lines naming dat_a1 to dat_z100, five names a line.
std::vector<std::string> dataset_parameter_lines();

void append_lines(std::vector<std::string>& lines, const std::vector<std::string>& more);

// The comment box lines shared by the two long macro files.
std::string long_box_first_line();
std::string long_box_program_line(std::string_view file_name);
std::string long_box_credit_line();
std::string long_box_last_line();

} // namespace morvane
