#pragma once
// Where each line of a text starts, for a view that paints only the lines it
// shows. A line ends after its LF; its drawn part leaves out the CR LF.

#include <string_view>
#include <vector>

namespace quorvath {

class LineIndex {
public:
    void build(std::string_view text);
    void clear();

    int lineCount() const { return static_cast<int>(starts_.size()); }
    int lineStart(int line) const { return starts_[static_cast<std::size_t>(line)]; }
    // End of the drawn part of a line: before its CR LF (or LF), or the text end.
    int lineEnd(int line) const;
    // The line holding a position; the CR LF ending a line belongs to it.
    int lineOf(int pos) const;
    // The most characters any line draws.
    int longestLine() const { return longest_; }

private:
    std::string_view text_;
    std::vector<int> starts_;
    int longest_ = 0;
};

} // namespace quorvath
