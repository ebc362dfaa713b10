#pragma once
// The attributes of a text as runs: a run starts at a position and holds
// until the next one starts, the first at 0. A log's colours change only
// where its codes were, so it needs a few runs a line (5 bytes each) instead
// of a byte per character. Look-ups are a binary search over the starts.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvath {

class AttributeRuns {
public:
    std::size_t runCount() const { return starts_.size(); }
    std::size_t runStart(std::size_t run) const { return starts_[run]; }
    std::uint8_t runAttribute(std::size_t run) const { return attributes_[run]; }
    // The run holding `pos` (the last one for a position past the text).
    std::size_t runAt(std::size_t pos) const;
    // The attribute at `pos`; 0 when there are no runs.
    std::uint8_t at(std::size_t pos) const {
        return starts_.empty() ? std::uint8_t{0} : attributes_[runAt(pos)];
    }

    // Adds a run at `start`, at or after the last one's start: nothing when
    // the last one has its attribute, a replacement when it starts there.
    void append(std::size_t start, std::uint8_t attribute);
    // Adds the attributes of characters offset, offset + 1, ..., one byte each.
    void appendBytes(const std::uint8_t* attributes, std::size_t count, std::size_t offset);
    // Adds another text's runs, that text starting at `offset`.
    void appendRuns(const AttributeRuns& other, std::size_t offset);
    // Writes the attributes of [from, to) to `out`, one byte each.
    void expand(std::size_t from, std::size_t to, std::uint8_t* out) const;
    // Adds `flags` to [hit, hit + length) for each hit, ascending and apart,
    // within a text of `textLength`: one pass over the runs for all of them.
    void addFlags(const std::vector<int>& hits, std::size_t length, std::uint8_t flags,
                  std::size_t textLength);

    void reserve(std::size_t runs);
    void clear();
    void shrinkToFit();

private:
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint8_t> attributes_;
};

} // namespace quorvath
