#pragma once
// PhraseSweep: every occurrence of a set of phrases in a text, found in one
// pass, letters compared without case exactly as LogDocument::find compares
// them. The statistics pass sweeps the log once for all its phrases instead
// of searching the whole text once per phrase.
//
// A built sweep is immutable; run() may be called from any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

class PhraseSweep {
public:
    // Empty phrases are allowed and never occur.
    explicit PhraseSweep(const std::vector<std::string>& phrases);

    // For each phrase (in the order given), the start position of every
    // occurrence, ascending; overlapping occurrences included. Splits the
    // text between up to `threads` threads.
    std::vector<std::vector<int>> run(std::string_view text, int threads = 2) const;

private:
    void scan(std::string_view text, int from, int to, int reportFrom, int reportTo,
              std::vector<std::vector<int>>& hits) const;

    // Dense transition table: 256 entries per state. An entry holds the next
    // state, with kOutputBit set when that state ends at least one phrase.
    static constexpr std::uint16_t kOutputBit = 0x8000;
    std::vector<std::uint16_t> next_;
    std::vector<std::uint32_t> outputBegin_; // per state, into outputs_
    std::vector<std::uint16_t> outputs_;     // phrase numbers ending at a state
    std::vector<int> lengths_;
    int longest_ = 0;
};

} // namespace quorvath
