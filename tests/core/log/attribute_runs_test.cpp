// The runs against a byte per character: random attributes in long and short
// stretches become runs that give every character's attribute back, read or
// copied out, and Highlight Nick's flags land on the hits and nowhere else.

#include "core/log/attribute_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace quorvath {
namespace {

std::vector<std::uint8_t> randomAttributes(std::mt19937& rng) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t n = rng() % 200; bytes.size() < n;)
        bytes.insert(bytes.end(), rng() % 3 ? rng() % 4 : 1 + rng() % 30,
                     static_cast<std::uint8_t>(rng() % 3));
    return bytes;
}

std::vector<std::uint8_t> expanded(const AttributeRuns& runs, std::size_t from, std::size_t to) {
    std::vector<std::uint8_t> bytes(to - from);
    runs.expand(from, to, bytes.data());
    return bytes;
}

// Every character's attribute, and runs merged: each differs from the last.
void expectEveryAttribute(const AttributeRuns& runs, const std::vector<std::uint8_t>& bytes,
                          int round) {
    std::vector<std::uint8_t> runAttributes;
    runs.forEachRun([&](std::size_t, std::uint8_t a) { runAttributes.push_back(a); });
    for (std::size_t r = 1; r < runAttributes.size(); ++r)
        ASSERT_NE(runAttributes[r], runAttributes[r - 1]) << "round " << round;
    ASSERT_EQ(expanded(runs, 0, bytes.size()), bytes) << "round " << round;
}

TEST(AttributeRuns, GiveEveryCharacterItsAttributeBack) {
    std::mt19937 rng(17);
    for (int round = 0; round < 2000; ++round) {
        const std::vector<std::uint8_t> first = randomAttributes(rng);
        const std::vector<std::uint8_t> second = randomAttributes(rng);
        AttributeRuns runs, secondRuns;
        runs.appendBytes(first.data(), first.size(), 0);
        secondRuns.appendBytes(second.data(), second.size(), 0);
        if (round % 2) // a part joined after another, or its bytes added to the runs held
            runs.join(std::move(secondRuns), first.size());
        else
            runs.appendBytes(second.data(), second.size(), first.size());
        const auto third = static_cast<std::uint8_t>(rng() % 3);
        runs.append(first.size() + second.size(), third); // and a character after both
        std::vector<std::uint8_t> bytes = first;
        bytes.insert(bytes.end(), second.begin(), second.end());
        bytes.push_back(third);
        expectEveryAttribute(runs, bytes, round);
        AttributeRuns::Hint forward, jumping; // one reading on, one sent back and far
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            ASSERT_EQ(runs.at(i), bytes[i]) << "round " << round << ", position " << i;
            ASSERT_EQ(runs.at(i, forward), bytes[i]) << "round " << round << ", position " << i;
            const std::size_t j = rng() % bytes.size();
            ASSERT_EQ(runs.at(j, jumping), bytes[j]) << "round " << round << ", position " << j;
        }
        const std::size_t from = bytes.empty() ? 0 : rng() % bytes.size();
        const std::size_t to = from + (bytes.size() == from ? 0 : rng() % (bytes.size() - from));
        ASSERT_EQ(expanded(runs, from, to),
                  std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(from),
                                            bytes.begin() + static_cast<long>(to)))
            << "round " << round;
        // The same stretch's runs copied out, moved by an offset.
        AttributeRuns::Runs copied, expected;
        const std::size_t offset = rng() % 5;
        runs.copyRuns(from, to, offset, copied);
        for (std::size_t i = from; i < to; ++i)
            expected.append(i + offset, bytes[i]);
        ASSERT_EQ(copied.starts, expected.starts) << "round " << round;
        ASSERT_EQ(copied.attributes, expected.attributes) << "round " << round;
        // A stretch set anew (the names coloured across a cut), also at either end.
        const std::vector<std::uint8_t> stretch = randomAttributes(rng);
        const std::size_t at = rng() % 4 == 0 ? 0 : rng() % bytes.size();
        const std::size_t length = std::min(stretch.size(), bytes.size() - at);
        AttributeRuns::Runs stretchRuns;
        for (std::size_t i = 0; i < length; ++i)
            stretchRuns.append(at + i, stretch[i]);
        runs.assign(at, at + length, stretchRuns, bytes.size());
        std::copy_n(stretch.begin(), length, bytes.begin() + static_cast<long>(at));
        expectEveryAttribute(runs, bytes, round);
    }
}

TEST(AttributeRuns, FlagsLandOnTheHitsOnly) {
    std::mt19937 rng(29);
    constexpr std::uint8_t flags = 0xE0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes = randomAttributes(rng);
        const std::size_t length = 1 + rng() % 6;
        // Ascending and apart, some touching, the last maybe cut short; sparse in half the rounds.
        std::vector<int> hits;
        const std::size_t spread = round % 2 ? 4 : 80;
        for (std::size_t at = rng() % 8; at < bytes.size(); at += length + rng() % spread)
            hits.push_back(static_cast<int>(at));
        const std::size_t cut = bytes.empty() ? 0 : rng() % bytes.size();
        AttributeRuns runs, tail; // two blocks, one maybe without a hit
        runs.appendBytes(bytes.data(), cut, 0);
        tail.appendBytes(bytes.data() + cut, bytes.size() - cut, 0);
        runs.join(std::move(tail), cut);
        runs.addFlags(hits, length, flags, bytes.size());
        for (int hit : hits)
            for (std::size_t i = static_cast<std::size_t>(hit);
                 i < std::min(static_cast<std::size_t>(hit) + length, bytes.size()); ++i)
                bytes[i] |= flags;
        ASSERT_EQ(expanded(runs, 0, bytes.size()), bytes) << "round " << round;
    }
}

} // namespace
} // namespace quorvath
