#pragma once
// PhraseSweep: every occurrence of a set of phrases in a text, found in one
// pass, letters compared without case as every search of the program compares
// them (foldCase). The statistics pass sweeps the log once for all its phrases
// instead of searching the whole text once per phrase.
//
// A built sweep is immutable; run() may be called from any thread. The text
// may be cut into parts, swept on several threads; a part's occurrences go to
// that part's Receiver, on the thread that sweeps the part.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

class PhraseSweep {
public:
    // Empty phrases are allowed and never occur. Throws std::length_error
    // when the table would not fit 16-bit entries (far more than the
    // statistics' phrases need).
    explicit PhraseSweep(const std::vector<std::string>& phrases);

    // Told each occurrence of its part of the text: the phrase's number and
    // where the occurrence starts, in ascending order of its end.
    class Receiver {
    public:
        virtual ~Receiver() = default;
        virtual void occurrence(int phrase, int start) = 0;
    };

    // A thread sweeps up to four parts at a time: independent walks through
    // the table hide each other's waits for it (measured: one part 356 ms of
    // processor time on a 100 MB log, two 190, three 142, four 137; with the
    // walks' states in registers, five to eight parts were slower than four).
    static constexpr int kPartsPerThread = 4;
    // Each thread gets about two runs of four parts: a thread done early
    // takes a run the other would have swept. Parts cost little of their
    // own, but a run of fewer than four sweeps slower.
    static constexpr int kRunsPerThread = 2;

    // How many parts a text of `length` characters is cut into for up to
    // `threads` threads: one while a second part costs more than it saves.
    static int partsFor(std::size_t length, int threads);

    // Cuts the text into receivers.size() parts of about equal length and
    // sweeps them on up to `threads` threads, each taking the next run of
    // four neighbouring parts when done with one. Part i reports the
    // occurrences that start in it, whatever part they end in.
    void run(std::string_view text, const std::vector<Receiver*>& receivers, int threads) const;

    // For each phrase (in the order given), the start position of every
    // occurrence, ascending; overlapping occurrences included. Sweeps the
    // text on up to `threads` threads.
    std::vector<std::vector<int>> run(std::string_view text, int threads = 2) const;

private:
    struct Automaton;
    static Automaton buildTrie(const std::vector<std::string>& phrases);
    static void addFailureLinks(Automaton& automaton);
    std::array<int, 257> assignByteClasses(const Automaton& automaton);
    void buildTable(const Automaton& automaton, const std::array<int, 257>& representative);
    static std::vector<std::size_t> outputStatesLast(const Automaton& automaton);

    struct Stretch;
    void step(Stretch& stretch, const unsigned char* bytes) const;
    void report(const Stretch& stretch, int at, std::uint32_t row) const;
    template <std::size_t Parts>
    void sweepTogether(const unsigned char* bytes, Stretch* stretches) const;

    // Bytes fall into classes (one per letter the phrases use, one for all
    // others), which keeps the table small enough for the fastest cache.
    // An entry holds the next state's row offset (state x classes); the
    // states that end a phrase are numbered last, so an entry at or past
    // firstOutputRow_ reports: one comparison a byte, no flag to mask off.
    std::array<std::uint16_t, 256> classOf_{};
    std::uint32_t classes_ = 1;
    std::vector<std::uint16_t> next_;
    std::uint32_t firstOutputRow_ = 0;
    std::vector<std::uint32_t> outputBegin_; // per state, into outputs_
    std::vector<std::uint16_t> outputs_;     // phrase numbers ending at a state
    std::vector<int> lengths_;
    int longest_ = 0;
};

} // namespace quorvath
