// Feeds arbitrary configuration files and program folders to the SASAUTOS update and
// checks what must hold for every input: the update ends, every original line survives in
// order (the line that opens a list may only gain the entry and one blank), at most one
// entry is added to each setting, and a second update changes nothing.
//
// Input: an optional program folder, a NUL, then the file's bytes. Without a NUL the
// whole input is the file and the folder is D:\Tools\Kit.
#include "integration/sasautos_update.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

void fail(const char* property, std::string_view folder) {
    std::fprintf(stderr, "property broken: %s (macro folder \"%.*s\")\n", property,
                 static_cast<int>(folder.size()), folder.data());
    std::abort();
}

// Any byte that a Windows folder name may hold; the others become '_'.
std::string windows_folder(std::string_view raw) {
    std::string folder = "C:\\";
    for (const char c : raw.substr(0, 120)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool invalid = byte < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' ||
                             c == '?' || c == '*' || c == ':';
        folder += invalid ? '_' : c;
    }
    return folder;
}

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

bool opens_setting(std::string_view line) {
    constexpr std::string_view name = "-SET SASAUTOS";
    if (line.size() < name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = line[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != name[i])
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto nul = input.find('\0');
    const auto folder = (nul == std::string_view::npos ? std::string("D:\\Tools\\Kit")
                                                       : windows_folder(input.substr(0, nul))) +
                        "\\saspgm";
    const auto content = nul == std::string_view::npos ? input : input.substr(nul + 1);

    const auto updated = morvane::add_to_sasautos(content, folder);
    if (!updated)
        return 0;
    const std::string entry = std::string(16, ' ') + '"' + folder + '"';
    const auto original = lines_of(content);
    const auto written = lines_of(*updated);
    if (!updated->ends_with("\r\n\r\n") && !(original.empty() && *updated == "\r\n"))
        fail("the rewritten file ends with CR LF and one empty line", folder);

    // Align the two files: each original line stands unchanged, or is split right after
    // a "(" with the entry starting the next line, followed by the rest of the original
    // line (after one added blank at most). Tracked as the set of entries added so far.
    std::set<std::size_t> added = {0};
    for (std::size_t i = 0; i < original.size() && !added.empty(); ++i) {
        std::set<std::size_t> next;
        for (const auto count : added) {
            const auto j = i + count;
            if (j < written.size() && written[j] == original[i])
                next.insert(count);
            if (j + 1 < written.size() && written[j].ends_with('(') &&
                original[i].starts_with(written[j]) && written[j + 1].starts_with(entry)) {
                const auto rest = written[j + 1].substr(entry.size());
                const auto tail = original[i].substr(written[j].size());
                if (rest == tail || (rest.starts_with(' ') && rest.substr(1) == tail))
                    next.insert(count + 1);
            }
        }
        added = std::move(next);
    }
    std::size_t entries = 0;
    for (const auto count : added)
        if (original.size() + count + 1 == written.size() && written.back().empty())
            entries = std::max(entries, count);
    if (added.empty() || entries == 0)
        fail("every original line survives byte for byte, in order", folder);

    std::size_t settings = 0;
    for (const auto line : original)
        settings += opens_setting(line) ? 1 : 0;
    if (entries > settings)
        fail("at most one entry is added to each setting", folder);

    if (morvane::add_to_sasautos(*updated, folder))
        fail("a second update changes nothing", folder);
    return 0;
}
