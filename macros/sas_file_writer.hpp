#pragma once

#include "platform/file_system.hpp"
#include "platform/message_box.hpp"
#include "platform/text_encoding.hpp"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Marks where the program folder goes in a template line. Every such place lies inside
// a single-quoted SAS literal, so the folder's single quotes are doubled there.
inline constexpr std::string_view program_folder_marker = "{program_folder}";

using FileTemplate = std::span<const std::string_view>;

// The one way every generated file is written: each line followed by CR LF, in the
// system's ANSI code page, the file replaced whole; a failure is shown in an "Error!"
// box by the writer itself, and the caller only sees false.
class SasFileWriter {
  public:
    SasFileWriter(FileSystem& files, TextEncoding& encoding, MessageBoxes& messages,
                  std::string program_folder);

    const std::string& program_folder() const { return program_folder_; }
    // The program folder followed by "\saspgm".
    std::string macro_folder() const;

    // Writes the lines with the program folder put in place of its marker.
    bool write_template(const std::string& path, const std::vector<std::string>& lines) const;
    // The same, into the macro folder.
    bool write_macro_file(std::string_view file_name, FileTemplate lines) const;
    bool write_macro_file(std::string_view file_name, const std::vector<std::string>& lines) const;
    // The "Error!" box of every failed step.
    void report(const PlatformError& error) const;

  private:
    std::string expand(std::string_view template_line) const;

    FileSystem& files_;
    TextEncoding& encoding_;
    MessageBoxes& messages_;
    std::string program_folder_;
    std::string quoted_program_folder_;
};

} // namespace morvane
