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

std::string SasFileWriter::expand(std::string_view template_line) const {
    std::string line;
    std::size_t start = 0;
    for (auto at = template_line.find(program_folder_marker); at != std::string_view::npos;
         at = template_line.find(program_folder_marker, start)) {
        line.append(template_line.substr(start, at - start));
        line += quoted_program_folder_;
        start = at + program_folder_marker.size();
    }
    line.append(template_line.substr(start));
    return line;
}

Failure SasFileWriter::write_template(const std::string& path,
                                      const std::vector<std::string>& lines) const {
    std::string text;
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + quoted_program_folder_.size() + 2;
    text.reserve(size);
    for (const auto& line : lines) {
        if (line.find(program_folder_marker) == std::string::npos)
            text += line;
        else
            text += expand(line);
        text += "\r\n";
    }
    const auto ansi = encoding_.to_ansi(text);
    if (!ansi.ok())
        return ansi.error();
    return output_(path, ansi.value());
}

Failure SasFileWriter::write_macro_file(std::string_view file_name, FileTemplate lines) const {
    return write_macro_file(file_name, std::vector<std::string>(lines.begin(), lines.end()));
}

Failure SasFileWriter::write_macro_file(std::string_view file_name,
                                        const std::vector<std::string>& lines) const {
    return write_template(macro_folder() + "\\" + std::string(file_name), lines);
}

} // namespace morvane
