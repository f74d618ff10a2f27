#include "integration/unified_diff.hpp"

#include "text/lines.hpp"

#include <algorithm>
#include <vector>

namespace morvane {
namespace {

using Lines = std::vector<std::string_view>;

Lines lines_of(std::string_view text) {
    Lines lines;
    LineReader reader(text);
    for (auto line = reader.line_at(0); line.begin < text.size(); line = reader.line_at(line.next))
        lines.push_back(line.text(text));
    return lines;
}

// Marks the lines to remove from a and to add from b in a shortest edit script, by the
// linear-space divide and conquer on the middle snake of Myers' O(ND) difference algorithm.
class EditScript {
  public:
    EditScript(const Lines& a, const Lines& b)
        : removed(a.size(), false), added(b.size(), false), a_(a), b_(b) {
        compare(0, static_cast<long>(a.size()), 0, static_cast<long>(b.size()));
    }

    std::vector<bool> removed;
    std::vector<bool> added;

  private:
    const Lines& a_;
    const Lines& b_;

    struct Snake {
        long x = 0, y = 0, u = 0, v = 0; // equal lines from (x, y) to (u, v)
    };

    void compare(long a0, long a1, long b0, long b1) {
        while (a0 < a1 && b0 < b1 && a_[a0] == b_[b0])
            ++a0, ++b0;
        while (a0 < a1 && b0 < b1 && a_[a1 - 1] == b_[b1 - 1])
            --a1, --b1;
        if (a0 == a1 || b0 == b1) {
            for (auto i = a0; i < a1; ++i)
                removed[i] = true;
            for (auto j = b0; j < b1; ++j)
                added[j] = true;
            return;
        }
        const auto snake = middle_snake(a0, a1, b0, b1);
        compare(a0, snake.x, b0, snake.y);
        compare(snake.u, a1, snake.v, b1);
    }

    // Both ends differ here, so at least two edits are needed and the snake splits the
    // problem into two smaller ones.
    Snake middle_snake(long a0, long a1, long b0, long b1) const {
        const long n = a1 - a0, m = b1 - b0, delta = n - m, max_d = (n + m + 1) / 2;
        const bool odd = (delta & 1) != 0;
        // forward[k]: furthest x on diagonal x - y = k; backward[c]: furthest distance
        // from the ends on diagonal c of the reversed texts, which is diagonal delta - c.
        std::vector<long> forward(2 * max_d + 3, 0), backward(2 * max_d + 3, 0);
        const long offset = max_d + 1;
        for (long d = 0; d <= max_d; ++d) {
            for (long k = -d; k <= d; k += 2) {
                long x = k == -d || (k != d && forward[offset + k - 1] < forward[offset + k + 1])
                             ? forward[offset + k + 1]
                             : forward[offset + k - 1] + 1;
                long y = x - k;
                const long x0 = x, y0 = y;
                while (x < n && y < m && a_[a0 + x] == b_[b0 + y])
                    ++x, ++y;
                forward[offset + k] = x;
                const long c = delta - k;
                if (odd && c >= -(d - 1) && c <= d - 1 && x + backward[offset + c] >= n)
                    return {a0 + x0, b0 + y0, a0 + x, b0 + y};
            }
            for (long c = -d; c <= d; c += 2) {
                long x = c == -d || (c != d && backward[offset + c - 1] < backward[offset + c + 1])
                             ? backward[offset + c + 1]
                             : backward[offset + c - 1] + 1;
                long y = x - c;
                const long x0 = x, y0 = y;
                while (x < n && y < m && a_[a1 - 1 - x] == b_[b1 - 1 - y])
                    ++x, ++y;
                backward[offset + c] = x;
                const long k = delta - c;
                if (!odd && k >= -d && k <= d && forward[offset + k] + x >= n)
                    return {a1 - x, b1 - y, a1 - x0, b1 - y0};
            }
        }
        return {a1, b1, a1, b1}; // not reached: some d <= max_d always meets
    }
};

enum class Op : char { keep = ' ', remove = '-', add = '+' };

std::vector<Op> operations(const Lines& a, const Lines& b, const EditScript& script) {
    std::vector<Op> ops;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && script.removed[i]) {
            ops.push_back(Op::remove), ++i;
        } else if (j < b.size() && script.added[j]) {
            ops.push_back(Op::add), ++j;
        } else {
            ops.push_back(Op::keep), ++i, ++j;
        }
    }
    return ops;
}

// "start,count" as unified diffs write it: an empty range names the line before it, and
// a count of one is left out.
std::string range(std::size_t first, std::size_t count) {
    if (count == 1)
        return std::to_string(first + 1);
    return std::to_string(count == 0 ? first : first + 1) + ',' + std::to_string(count);
}

constexpr std::size_t context = 3;

} // namespace

std::string unified_diff(std::string_view old_text, std::string_view new_text,
                         std::string_view old_label, std::string_view new_label) {
    const auto a = lines_of(old_text);
    const auto b = lines_of(new_text);
    const auto ops = operations(a, b, EditScript(a, b));
    std::string diff;
    // Old and new line numbers at each operation, advanced as the operations go by.
    std::size_t at = 0, old_line = 0, new_line = 0;
    const auto advance = [&](std::size_t to) {
        for (; at < to; ++at) {
            old_line += ops[at] != Op::add ? 1 : 0;
            new_line += ops[at] != Op::remove ? 1 : 0;
        }
    };
    for (std::size_t change = 0; change < ops.size();) {
        if (ops[change] == Op::keep) {
            ++change;
            continue;
        }
        // A hunk runs on while the next change is within two contexts of the last one.
        auto end = change;
        for (std::size_t keeps = 0; end < ops.size() && keeps <= 2 * context; ++end)
            keeps = ops[end] == Op::keep ? keeps + 1 : 0;
        while (end > change && ops[end - 1] == Op::keep)
            --end;
        const auto begin = change >= context ? change - context : 0;
        end = std::min(ops.size(), end + context);
        advance(begin);
        const auto old_first = old_line, new_first = new_line;
        std::string body;
        for (auto i = begin; i < end; ++i) {
            const auto& line = ops[i] == Op::add ? b[new_line] : a[old_line];
            body += static_cast<char>(ops[i]);
            body.append(line);
            body += '\n';
            advance(i + 1);
        }
        if (diff.empty())
            diff.append("--- ").append(old_label).append("\n+++ ").append(new_label).append("\n");
        diff.append("@@ -" + range(old_first, old_line - old_first) + " +" +
                    range(new_first, new_line - new_first) + " @@\n");
        diff += body;
        change = end;
    }
    return diff;
}

} // namespace morvane
