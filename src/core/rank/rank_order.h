#pragma once
// The order every ranking uses: largest key first, equal keys in ascending
// index order, which is the order users know from picking the largest key
// again and again, the first one found winning a tie.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quorvath {

// Indexes first..last ordered by key(i), descending, ties by ascending index.
// Any key that orders with > will do: a count, a score, a rating.
template <typename KeyOf> std::vector<int> descendingOrder(int first, int last, KeyOf key) {
    std::vector<int> order;
    if (last >= first)
        order.reserve(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) > key(b); });
    return order;
}

} // namespace quorvath
