#pragma once

#include "platform/file_system.hpp"
#include "platform/text_encoding.hpp"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Marks where the program folder goes in a template line. Every such place lies inside
// a single-quoted SAS literal, so the folder's single quotes are doubled there.
inline constexpr std::string_view program_folder_marker = "{program_folder}";

using FileTemplate = std::span<const std::string_view>;

// Where a generated file's finished bytes go.
using GeneratedFileOutput =
    std::function<Failure(const std::string& path, const std::string& bytes)>;

// The one way every generated file is made: each line followed by CR LF, in the
// system's ANSI code page, the file replaced whole. A failure comes back as the
// platform's description; the caller decides how to show it.
class SasFileWriter {
  public:
    // Writes into files.
    SasFileWriter(FileSystem& files, TextEncoding& encoding, std::string program_folder);
    // Hands every file's bytes to output instead, so that checking an installation and
    // showing what one would do see exactly what installing writes.
    SasFileWriter(GeneratedFileOutput output, TextEncoding& encoding, std::string program_folder);

    const std::string& program_folder() const { return program_folder_; }
    // The program folder followed by "\saspgm".
    std::string macro_folder() const;

    // Writes the lines with the program folder put in place of its marker.
    Failure write_template(const std::string& path, const std::vector<std::string>& lines) const;
    // The same, into the macro folder.
    Failure write_macro_file(std::string_view file_name, FileTemplate lines) const;
    Failure write_macro_file(std::string_view file_name,
                             const std::vector<std::string>& lines) const;

  private:
    Failure write_text(const std::string& path, const std::string& text) const;

    GeneratedFileOutput output_;
    TextEncoding& encoding_;
    std::string program_folder_;
    std::string quoted_program_folder_;
};

} // namespace morvane
