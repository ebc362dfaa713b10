#pragma once
// PhraseSweep: every occurrence of a set of phrases in a text, found in one
// pass, letters compared without case as every search of the program compares
// them (foldCase). The statistics pass sweeps the log once for all its phrases
// instead of searching the whole text once per phrase.
//
// A built sweep is immutable; run() may be called from any thread.

#include <array>
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
    struct Automaton;
    static Automaton buildTrie(const std::vector<std::string>& phrases);
    static void addFailureLinks(Automaton& automaton);
    std::array<int, 257> assignByteClasses(const Automaton& automaton);
    void buildTable(const Automaton& automaton, const std::array<int, 257>& representative);

    void scan(std::string_view text, int from, int to, int reportFrom, int reportTo,
              std::vector<std::vector<int>>& hits) const;

    // Bytes fall into classes (one per letter the phrases use, one for all
    // others), which keeps the table small enough for the fastest cache.
    // An entry holds the next state's row offset (state x classes), with
    // kOutputBit set when that state ends at least one phrase.
    static constexpr std::uint32_t kOutputBit = 0x80000000u;
    std::array<std::uint16_t, 256> classOf_{};
    std::uint32_t classes_ = 1;
    std::vector<std::uint32_t> next_;
    std::vector<std::uint32_t> outputBegin_; // per state, into outputs_
    std::vector<std::uint16_t> outputs_;     // phrase numbers ending at a state
    std::vector<int> lengths_;
    int longest_ = 0;
};

} // namespace quorvath
