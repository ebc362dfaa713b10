// The ranking sort against a literal selection by repeated maxima on random
// tables. Both give the same headings, rank numbers, keys and consumed keys.
// Names of equal keys may differ in order: a literal pass that drops to a key
// part-way through the players places the later ones of that key first, so its
// ties come out as a rotation of index order; the program lists ties in plain
// ascending index order instead (a decision taken).

#include "core/rank/ranking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace quorvath {
namespace {

// The selection as the rules word it: passes of i = 1..n, an entry is placed
// when no key is greater; placed keys become -1000.
std::string literalSortbyrank(std::vector<PlayerRecord>& a, int sortkey, const std::string& display,
                              bool blankfirst, std::string pane) {
    const int n = static_cast<int>(a.size()) - 1;
    std::vector<std::pair<std::string, std::int32_t>> b(static_cast<std::size_t>(n + 1));
    int pos = n;
    bool placed = true;
    while (placed && pos > 0) {
        placed = false;
        for (int i = 1; i <= n; ++i) {
            bool isMax = true;
            for (int j = 1; j <= n; ++j)
                if (a[static_cast<std::size_t>(j)].stat[sortkey] >
                    a[static_cast<std::size_t>(i)].stat[sortkey])
                    isMax = false;
            if (isMax) {
                b[static_cast<std::size_t>(pos)] = {a[static_cast<std::size_t>(i)].name,
                                                    a[static_cast<std::size_t>(i)].stat[sortkey]};
                --pos;
                placed = true;
                a[static_cast<std::size_t>(i)].stat[sortkey] = -1000;
            }
            if (pos == 0)
                break;
        }
    }
    pane = blankfirst ? "" : pane + "\r\n\r\n";
    pane += "Rankings for " + display + "\r\n\r\n";
    for (int i = n; i >= 1; --i) {
        const auto& [name, key] = b[static_cast<std::size_t>(i)];
        if (key != 0)
            pane += std::to_string(n - i + 1) + ": \t" + std::to_string(key) + "\t" + name + "\r\n";
    }
    return pane;
}

struct RankLine {
    std::string rankAndKey; // "r: \tkey"
    std::string name;
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, p - start));
        start = p + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The text with the names of each run of equal keys sorted, so that only the
// order within ties is ignored. `ascending` tells whether every run of the
// original already listed its players in index order.
std::string canonical(const std::string& text, bool* ascending) {
    std::vector<std::string> out;
    std::vector<RankLine> run;
    std::string runKey;
    *ascending = true;
    auto flush = [&] {
        std::vector<std::string> names;
        for (const auto& l : run)
            names.push_back(l.name);
        auto index = [](const std::string& n) { return std::stoi(n.substr(1)); };
        *ascending =
            *ascending && std::is_sorted(names.begin(), names.end(),
                                         [&](auto& a, auto& b) { return index(a) < index(b); });
        std::sort(names.begin(), names.end());
        for (std::size_t i = 0; i < run.size(); ++i)
            out.push_back(run[i].rankAndKey + "\t" + names[i]);
        run.clear();
    };
    for (const std::string& line : splitLines(text)) {
        const auto colon = line.find(": \t");
        const auto tab = colon == std::string::npos ? colon : line.find('\t', colon + 3);
        if (tab == std::string::npos) {
            flush();
            out.push_back(line);
            continue;
        }
        const std::string key = line.substr(colon + 3, tab - colon - 3);
        if (!run.empty() && key != runKey)
            flush();
        runKey = key;
        run.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    flush();
    std::ostringstream joined;
    for (const auto& l : out)
        joined << l << "\n";
    return joined.str();
}

TEST(SortByRankDifferential, MatchesRepeatedMaximaOnRandomTables) {
    std::mt19937 rng(20240611);
    int rotatedTies = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 40)(rng);
        // Narrow ranges give many ties; wide ones negatives down to -999.
        const int lo = round % 3 == 0 ? -999 : (round % 3 == 1 ? -3 : 0);
        const int hi = round % 2 == 0 ? 4 : 5000;
        std::uniform_int_distribution<int> value(lo, hi);
        RankScratch scratch;
        scratch.createtempplayerarrays(n);
        for (int i = 1; i <= n; ++i) {
            auto& r = scratch.tempplayersA[static_cast<std::size_t>(i)];
            r.name = "p" + std::to_string(i);
            r[overallScore] = value(rng);
            r[totalKills] = std::max(0, value(rng));
        }
        std::vector<PlayerRecord> literal = scratch.tempplayersA;
        const bool blankfirst = round % 4 != 0;
        std::string pane = "earlier\r\n";
        std::string expected =
            literalSortbyrank(literal, overallScore, "Overall Score", blankfirst, pane);
        expected = literalSortbyrank(literal, totalKills, "Kills", false, expected);
        sortbyrank(scratch, overallScore, "Overall Score", blankfirst, pane);
        sortbyrank(scratch, totalKills, "Kills", false, pane);
        bool oursAscending = false;
        bool literalAscending = false;
        ASSERT_EQ(canonical(pane, &oursAscending), canonical(expected, &literalAscending))
            << "round " << round << ", n " << n;
        ASSERT_TRUE(oursAscending) << pane;
        if (literalAscending)
            ASSERT_EQ(pane, expected);
        else
            ++rotatedTies;
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(scratch.tempplayersA[static_cast<std::size_t>(i)].stat,
                      literal[static_cast<std::size_t>(i)].stat);
    }
    EXPECT_GT(rotatedTies, 0); // the tables do reach the rotated-ties case
}

TEST(SortByRankDifferential, RotatedTiesExample) {
    // Keys 1, 3, 1: the literal first pass places p2 (3) and then p3, whose 1 is
    // now the maximum; p1 follows in the next pass. The program lists p1 first.
    RankScratch scratch;
    scratch.createtempplayerarrays(3);
    const int keys[] = {1, 3, 1};
    for (int i = 1; i <= 3; ++i) {
        scratch.tempplayersA[static_cast<std::size_t>(i)].name = "p" + std::to_string(i);
        scratch.tempplayersA[static_cast<std::size_t>(i)][totalKills] = keys[i - 1];
    }
    std::vector<PlayerRecord> literal = scratch.tempplayersA;
    std::string pane;
    sortbyrank(scratch, totalKills, "Kills", true, pane);
    EXPECT_EQ(pane, "Rankings for Kills\r\n\r\n1: \t3\tp2\r\n2: \t1\tp1\r\n3: \t1\tp3\r\n");
    EXPECT_EQ(literalSortbyrank(literal, totalKills, "Kills", true, ""),
              "Rankings for Kills\r\n\r\n1: \t3\tp2\r\n2: \t1\tp3\r\n3: \t1\tp1\r\n");
}

} // namespace
} // namespace quorvath
