#include "macros/sas_file_writer.hpp"

#include "product/layout.hpp"

namespace morvane {
namespace {

std::string double_single_quotes(const std::string& text) {
    std::string doubled;
    for (const char c : text) {
        doubled += c;
        if (c == '\'')
            doubled += '\'';
    }
    return doubled;
}

// The lines, each followed by CR LF, with the program folder in place of its marker.
template <class Lines>
std::string text_of(const Lines& lines, std::string_view quoted_program_folder) {
    std::string text;
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + quoted_program_folder.size() + 2;
    text.reserve(size);
    for (const std::string_view line : lines) {
        std::size_t start = 0;
        for (auto at = line.find(program_folder_marker); at != std::string_view::npos;
             at = line.find(program_folder_marker, start)) {
            (text += line.substr(start, at - start)) += quoted_program_folder;
            start = at + program_folder_marker.size();
        }
        (text += line.substr(start)) += "\r\n";
    }
    return text;
}

} // namespace

SasFileWriter::SasFileWriter(FileSystem& files, TextEncoding& encoding, std::string program_folder)
    : SasFileWriter([&files](const std::string& path,
                             const std::string& bytes) { return files.write_file(path, bytes); },
                    encoding, std::move(program_folder)) {}

SasFileWriter::SasFileWriter(GeneratedFileOutput output, TextEncoding& encoding,
                             std::string program_folder)
    : output_(std::move(output)), encoding_(encoding), program_folder_(std::move(program_folder)),
      quoted_program_folder_(double_single_quotes(program_folder_)) {}

std::string SasFileWriter::macro_folder() const {
    return macro_folder_path(program_folder_);
}

Failure SasFileWriter::write_text(const std::string& path, const std::string& text) const {
    const auto ansi = encoding_.to_ansi(text);
    if (!ansi.ok())
        return ansi.error();
    return output_(path, ansi.value());
}

Failure SasFileWriter::write_template(const std::string& path,
                                      const std::vector<std::string>& lines) const {
    return write_text(path, text_of(lines, quoted_program_folder_));
}

// Expanded from the template's own lines: copying them first cost a string per line.
Failure SasFileWriter::write_macro_file(std::string_view file_name, FileTemplate lines) const {
    return write_text(macro_folder() + "\\" + std::string(file_name),
                      text_of(lines, quoted_program_folder_));
}

Failure SasFileWriter::write_macro_file(std::string_view file_name,
                                        const std::vector<std::string>& lines) const {
    return write_template(macro_folder() + "\\" + std::string(file_name), lines);
}

} // namespace morvane
