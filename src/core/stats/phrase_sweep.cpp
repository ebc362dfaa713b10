#include "core/stats/phrase_sweep.h"

#include "core/common/text_case.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <deque>
#include <stdexcept>
#include <thread>

namespace quorvath {

namespace {

// Below this size a part of its own costs more than it saves.
constexpr int kMinBytesPerPart = 1 << 20;

} // namespace

// The automaton over folded bytes while it is built: a trie of the phrases,
// completed by the failure links into a full transition table.
struct PhraseSweep::Automaton {
    std::vector<std::array<int, 256>> go;            // -1: no edge (trie only)
    std::vector<std::vector<std::uint16_t>> outputs; // phrase numbers ending at each state
    std::size_t states() const { return go.size(); }
};

// Aho-Corasick over the folded alphabet, then widened to a table over raw bytes
// (a raw byte moves like its folded form), so the text needs no folded copy.
PhraseSweep::PhraseSweep(const std::vector<std::string>& phrases) {
    for (const std::string& phrase : phrases) {
        lengths_.push_back(static_cast<int>(phrase.size()));
        longest_ = std::max(longest_, static_cast<int>(phrase.size()));
    }
    if (phrases.size() > 0xFFFF)
        throw std::length_error("too many phrases for one sweep");
    Automaton automaton = buildTrie(phrases);
    addFailureLinks(automaton);
    const std::array<int, 257> representative = assignByteClasses(automaton);
    if (automaton.states() * classes_ > 0x10000)
        throw std::length_error("too many phrases for one sweep");
    buildTable(automaton, representative);
}

// The phrases' folded letters as a trie; each phrase's last state outputs it.
PhraseSweep::Automaton PhraseSweep::buildTrie(const std::vector<std::string>& phrases) {
    Automaton a;
    a.go.emplace_back().fill(-1);
    a.outputs.emplace_back();
    for (std::size_t p = 0; p < phrases.size(); ++p) {
        if (phrases[p].empty())
            continue;
        std::size_t s = 0;
        for (char ch : phrases[p]) {
            const unsigned char c = foldCase(static_cast<unsigned char>(ch));
            if (a.go[s][c] < 0) {
                a.go[s][c] = static_cast<int>(a.states());
                a.go.emplace_back().fill(-1);
                a.outputs.emplace_back();
            }
            s = static_cast<std::size_t>(a.go[s][c]);
        }
        a.outputs[s].push_back(static_cast<std::uint16_t>(p));
    }
    return a;
}

// Breadth-first: every missing edge goes where the longest proper suffix
// would go, and each state also outputs what its suffix state outputs.
void PhraseSweep::addFailureLinks(Automaton& a) {
    std::vector<int> fail(a.states(), 0);
    std::deque<int> queue;
    for (int& t : a.go[0]) {
        if (t < 0) {
            t = 0;
        } else {
            fail[static_cast<std::size_t>(t)] = 0;
            queue.push_back(t);
        }
    }
    while (!queue.empty()) {
        const auto s = static_cast<std::size_t>(queue.front());
        queue.pop_front();
        for (std::size_t c = 0; c < 256; ++c) {
            int& t = a.go[s][c];
            const int viaFail = a.go[static_cast<std::size_t>(fail[s])][c];
            if (t < 0) {
                t = viaFail;
            } else {
                fail[static_cast<std::size_t>(t)] = viaFail;
                const auto& inherited = a.outputs[static_cast<std::size_t>(viaFail)];
                auto& mine = a.outputs[static_cast<std::size_t>(t)];
                mine.insert(mine.end(), inherited.begin(), inherited.end());
                queue.push_back(t);
            }
        }
    }
}

// Each folded byte that leads somewhere other than the root gets a class of
// its own; every other byte shares class 0. Returns the folded byte that
// stands for each class (class 0's is never read).
std::array<int, 257> PhraseSweep::assignByteClasses(const Automaton& a) {
    std::array<int, 256> foldedClass{};
    for (const auto& row : a.go)
        for (std::size_t c = 0; c < 256; ++c)
            if (row[c] != 0 && foldedClass[c] == 0)
                foldedClass[c] = static_cast<int>(classes_++);
    std::array<int, 257> representative{};
    for (int c = 0; c < 256; ++c)
        representative[static_cast<std::size_t>(foldedClass[static_cast<std::size_t>(c)])] = c;
    for (int b = 0; b < 256; ++b)
        classOf_[static_cast<std::size_t>(b)] =
            static_cast<std::uint16_t>(foldedClass[foldCase(static_cast<unsigned char>(b))]);
    return representative;
}

// The new number of each state: those without output first, in their
// order (the root stays 0), then those with output.
std::vector<std::size_t> PhraseSweep::outputStatesLast(const Automaton& a) {
    std::vector<std::size_t> number(a.states());
    std::size_t next = 0;
    for (const bool outputs : {false, true})
        for (std::size_t s = 0; s < a.states(); ++s)
            if (a.outputs[s].empty() != outputs)
                number[s] = next++;
    return number;
}

// The scan's table: one row of classes_ entries per state, each the next
// state's row offset.
void PhraseSweep::buildTable(const Automaton& a, const std::array<int, 257>& representative) {
    const std::size_t states = a.states();
    const std::vector<std::size_t> number = outputStatesLast(a);
    std::vector<std::size_t> byNumber(states);
    for (std::size_t s = 0; s < states; ++s)
        byNumber[number[s]] = s;
    next_.resize(states * classes_);
    outputBegin_.resize(states + 1);
    firstOutputRow_ = static_cast<std::uint32_t>(states * classes_);
    for (std::size_t n = 0; n < states; ++n) {
        const std::size_t s = byNumber[n];
        outputBegin_[n] = static_cast<std::uint32_t>(outputs_.size());
        outputs_.insert(outputs_.end(), a.outputs[s].begin(), a.outputs[s].end());
        if (!a.outputs[s].empty())
            firstOutputRow_ = std::min(firstOutputRow_, static_cast<std::uint32_t>(n * classes_));
        for (std::uint32_t k = 0; k < classes_; ++k) {
            // Class 0 holds the bytes no phrase uses: from any state they lead to the root.
            const int t = k == 0 ? 0 : a.go[s][static_cast<std::size_t>(representative[k])];
            next_[n * classes_ + k] =
                static_cast<std::uint16_t>(number[static_cast<std::size_t>(t)] * classes_);
        }
    }
    outputBegin_[states] = static_cast<std::uint32_t>(outputs_.size());
}

// One part's sweep: where it reads next and up to where, the starts it
// reports, and the automaton's state (a row offset).
struct PhraseSweep::Stretch {
    int at;
    int to;
    int reportFrom;
    int reportTo;
    Receiver* receiver;
    std::uint32_t row = 0;
};

void PhraseSweep::report(const Stretch& s, int at, std::uint32_t row) const {
    const std::uint32_t state = row / classes_;
    for (std::uint32_t o = outputBegin_[state]; o < outputBegin_[state + 1]; ++o) {
        const int phrase = outputs_[o];
        const int start = at - lengths_[static_cast<std::size_t>(phrase)] + 1;
        if (start >= s.reportFrom && start < s.reportTo)
            s.receiver->occurrence(phrase, start);
    }
}

void PhraseSweep::step(Stretch& s, const unsigned char* bytes) const {
    s.row = next_[s.row + classOf_[bytes[s.at]]];
    if (s.row >= firstOutputRow_) [[unlikely]]
        report(s, s.at, s.row);
    ++s.at;
}

// Each step waits for the table entry the step before it found; sweeping
// several parts in turn lets the processor look up their entries at the same
// time. The walks' states stay in locals (registers), out of reach of the
// receivers.
template <std::size_t Parts>
void PhraseSweep::sweepTogether(const unsigned char* bytes, Stretch* s) const {
    int common = s[0].to - s[0].at;
    for (std::size_t k = 1; k < Parts; ++k)
        common = std::min(common, s[k].to - s[k].at);
    const std::uint16_t* next = next_.data();
    const std::uint16_t* classOf = classOf_.data();
    const std::uint32_t firstOutputRow = firstOutputRow_;
    std::array<std::uint32_t, Parts> row;
    std::array<const unsigned char*, Parts> from;
    for (std::size_t k = 0; k < Parts; ++k) {
        row[k] = s[k].row;
        from[k] = bytes + s[k].at;
    }
    for (int i = 0; i < common; ++i)
        for (std::size_t k = 0; k < Parts; ++k) {
            row[k] = next[row[k] + classOf[from[k][i]]];
            if (row[k] >= firstOutputRow) [[unlikely]]
                report(s[k], s[k].at + i, row[k]);
        }
    for (std::size_t k = 0; k < Parts; ++k) {
        s[k].at += common;
        s[k].row = row[k];
        while (s[k].at < s[k].to)
            step(s[k], bytes);
    }
}

int PhraseSweep::partsFor(std::size_t length, int threads) {
    const auto large = static_cast<int>(std::min<std::size_t>(length / kMinBytesPerPart, 64));
    return std::clamp(large, 1, kPartsPerThread * kRunsPerThread * std::max(threads, 1));
}

void PhraseSweep::run(std::string_view text, const std::vector<Receiver*>& receivers,
                      int threads) const {
    const int n = static_cast<int>(text.size());
    const int parts = static_cast<int>(receivers.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::vector<Stretch> stretches;
    for (int part = 0; part < parts; ++part) {
        const int begin = static_cast<int>(static_cast<long long>(n) * part / parts);
        const int end = static_cast<int>(static_cast<long long>(n) * (part + 1) / parts);
        // Past the part's end by one phrase length, so that occurrences
        // across the cut are seen by the part they start in.
        const int reach = std::max(longest_ - 1, 0);
        stretches.push_back({begin, std::min(end + reach, n), begin, end,
                             receivers[static_cast<std::size_t>(part)]});
    }
    // Neighbouring parts go in runs of up to four, swept together. A thread
    // takes the next run as soon as it is done with one, so the thread whose
    // runs hold fewer events (and cost less to cut) takes more of them.
    threads = std::clamp(threads, 1, std::max(parts, 1));
    const int runs = (parts + kPartsPerThread - 1) / kPartsPerThread;
    std::atomic<int> nextRun{0};
    auto sweepParts = [&] {
        for (int run = nextRun++; run < runs; run = nextRun++) {
            const int part = run * kPartsPerThread;
            Stretch* s = stretches.data() + part;
            switch (std::min(parts - part, kPartsPerThread)) {
            case 1: sweepTogether<1>(bytes, s); break;
            case 2: sweepTogether<2>(bytes, s); break;
            case 3: sweepTogether<3>(bytes, s); break;
            default: sweepTogether<4>(bytes, s); break;
            }
        }
    };
    std::vector<std::thread> workers;
    for (int thread = 1; thread < threads; ++thread)
        workers.emplace_back(sweepParts);
    sweepParts();
    for (auto& w : workers)
        w.join();
}

namespace {

// Every occurrence as a list of starts per phrase.
class HitLists : public PhraseSweep::Receiver {
public:
    explicit HitLists(std::size_t phrases) : hits(phrases) {}
    void occurrence(int phrase, int start) override {
        hits[static_cast<std::size_t>(phrase)].push_back(start);
    }
    std::vector<std::vector<int>> hits;
};

} // namespace

std::vector<std::vector<int>> PhraseSweep::run(std::string_view text, int threads) const {
    std::vector<HitLists> lists(static_cast<std::size_t>(partsFor(text.size(), threads)),
                                HitLists(lengths_.size()));
    std::vector<Receiver*> receivers;
    for (HitLists& list : lists)
        receivers.push_back(&list);
    run(text, receivers, threads);
    std::vector<std::vector<int>> hits = std::move(lists[0].hits);
    for (std::size_t part = 1; part < lists.size(); ++part)
        for (std::size_t p = 0; p < hits.size(); ++p)
            hits[p].insert(hits[p].end(), lists[part].hits[p].begin(), lists[part].hits[p].end());
    return hits;
}

} // namespace quorvath
