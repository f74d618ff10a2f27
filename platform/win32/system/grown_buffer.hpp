#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>

namespace morvane::win32 {

// The one way to call a function that fills a caller's buffer and says when it is too
// small. fill(data, size) gives nothing on failure, a length below size when the result
// fits (its length), or at least size when it does not (what it needs, if it knows):
// the buffer then grows and fill is called again.
template <class Buffer, class Fill>
std::optional<Buffer> grown_buffer(Fill fill, std::size_t first_size) {
    Buffer buffer(first_size, {});
    for (;;) {
        const std::optional<std::size_t> length = fill(buffer.data(), buffer.size());
        if (!length)
            return std::nullopt;
        if (*length < buffer.size()) {
            buffer.resize(*length);
            return buffer;
        }
        buffer.resize(std::max(*length + 1, buffer.size() * 2));
    }
}

} // namespace morvane::win32
