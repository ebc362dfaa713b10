#include "core/stats/player_table.h"

#include <algorithm>

namespace quorvath {

bool AliasCollection::containsKey(const std::string& key) const {
    return std::any_of(items_.begin(), items_.end(), [&](const auto& e) { return e.first == key; });
}

bool AliasCollection::add(std::int32_t index, const std::string& key) {
    if (containsKey(key))
        return false;
    items_.emplace_back(key, index);
    return true;
}

void PlayerTable::reset() {
    records_.assign(1, PlayerRecord{});
    byName_.clear();
    byOriginalName_.clear();
}

void PlayerTable::cutToSlotZero() {
    records_.resize(1);
    byName_.clear();
    byOriginalName_.clear();
}

int PlayerTable::findOrAdd(std::string_view name) {
    if (int i = findByName(name))
        return i;
    records_.emplace_back();
    const int i = playerCount();
    records_.back().name = name;
    byName_[records_.back().name].insert(i);
    byOriginalName_[std::string()].insert(i);
    return i;
}

void PlayerTable::Indexes::insert(int i) {
    if (lowest == 0) {
        lowest = i;
        return;
    }
    if (i == lowest)
        return;
    if (i < lowest)
        std::swap(i, lowest);
    others.insert(i);
}

void PlayerTable::Indexes::erase(int i) {
    if (i != lowest) {
        others.erase(i);
    } else if (others.empty()) {
        lowest = 0;
    } else {
        lowest = *others.begin();
        others.erase(others.begin());
    }
}

int PlayerTable::first(const IndexMap& map, std::string_view key) {
    auto it = map.find(key);
    return it == map.end() ? 0 : it->second.lowest;
}

int PlayerTable::findByName(std::string_view name) const { return first(byName_, name); }

int PlayerTable::findPlayerIndex(std::string_view name) const {
    const int byName = first(byName_, name);
    const int byOrig = first(byOriginalName_, name);
    if (byName == 0 || byOrig == 0)
        return std::max(byName, byOrig);
    return std::min(byName, byOrig);
}

void PlayerTable::unlink(IndexMap& map, const std::string& key, int i) {
    auto it = map.find(key);
    if (it == map.end())
        return;
    it->second.erase(i);
    if (it->second.empty())
        map.erase(it);
}

void PlayerTable::setName(int i, std::string name) {
    if (i == 0) { // slot 0 never takes part in look-ups
        records_[0].name = std::move(name);
        return;
    }
    PlayerRecord& r = records_[static_cast<std::size_t>(i)];
    unlink(byName_, r.name, i);
    r.name = std::move(name);
    byName_[r.name].insert(i);
}

void PlayerTable::setOriginalName(int i, std::string originalName) {
    if (i == 0) {
        records_[0].originalName = std::move(originalName);
        return;
    }
    PlayerRecord& r = records_[static_cast<std::size_t>(i)];
    unlink(byOriginalName_, r.originalName, i);
    r.originalName = std::move(originalName);
    byOriginalName_[r.originalName].insert(i);
}

} // namespace quorvath
