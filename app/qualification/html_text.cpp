#include "app/qualification/html_text.hpp"

namespace morvane {

std::string html_text(std::string_view text) {
    std::string html;
    html.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') || c == '\x7f')
                html += "&#xFFFD;";
            else
                html += c;
        }
    }
    return html;
}

std::string html_path(std::string_view path) {
    std::string html;
    for (std::size_t begin = 0; begin < path.size();) {
        const auto slash = path.find('\\', begin);
        const auto end = slash == std::string_view::npos ? path.size() : slash + 1;
        html += html_text(path.substr(begin, end - begin));
        if (slash != std::string_view::npos && end < path.size())
            html += "<wbr>";
        begin = end;
    }
    return html;
}

} // namespace morvane
