#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace morvane {

struct TextLine {
    std::size_t begin = 0;
    std::size_t end = 0;  // where its CR LF, CR or LF starts
    std::size_t next = 0; // where the next line starts
    std::string_view text(std::string_view content) const {
        return content.substr(begin, end - begin);
    }
    bool ends_in_crlf(std::string_view content) const {
        return next == end + 2 && content[end] == '\r';
    }
};

// Walks the lines of a text whose lines may end in CR LF, CR or LF, forwards only. The
// next CR and LF are remembered, so a text with only one kind of ending is still read in
// linear time.
class LineReader {
  public:
    explicit LineReader(std::string_view content) : content_(content) {}

    TextLine line_at(std::size_t begin) {
        const auto end = std::min(next_of('\r', next_cr_, begin), next_of('\n', next_lf_, begin));
        std::size_t next = end;
        if (end < content_.size())
            next += content_[end] == '\r' && end + 1 < content_.size() && content_[end + 1] == '\n'
                        ? 2
                        : 1;
        return {begin, end, next};
    }

  private:
    std::size_t next_of(char wanted, std::size_t& cached, std::size_t from) {
        if (cached != unset && cached >= from)
            return cached;
        const void* found = std::memchr(content_.data() + from, wanted, content_.size() - from);
        cached = found == nullptr
                     ? content_.size()
                     : static_cast<std::size_t>(static_cast<const char*>(found) - content_.data());
        return cached;
    }

    static constexpr std::size_t unset = std::string_view::npos;
    std::string_view content_;
    std::size_t next_cr_ = unset;
    std::size_t next_lf_ = unset;
};

} // namespace morvane
