#pragma once
// A page's Mustache data, built where it stands. mustache.hpp's set() and
// push_back() copy the whole subtree they are handed, so a tree built level
// by level is copied again at every level (most of a site's time, once); here
// every member is moved into place and every list item is filled in place.

#include "core/web/compiled_templates.h"

#include <string>
#include <string_view>
#include <type_traits>

namespace quorvath::web {

// The items of `list` are the list's own, not const: list_value() only lacks
// a mutable twin.
inline mustache::list& itemsOf(mustache::data& list) {
    return const_cast<mustache::list&>(list.list_value());
}

// A new empty object at the end of `list`, to be filled in place.
inline mustache::data& newItem(mustache::data& list) {
    list.push_back(mustache::data{}); // an empty object: next to nothing to copy
    return itemsOf(list).back();
}

// A new empty list as `object`'s member `key` (an object's members stay where
// they are as others are added), with room for `size` items: data's move is
// not noexcept, so a list that grows copies every item it holds.
inline mustache::data& newList(mustache::data& object, const std::string& key, std::size_t size) {
    mustache::data& list = object[key];
    list = mustache::data{mustache::data::type::list};
    itemsOf(list).reserve(size);
    return list;
}

// A new empty object as `object`'s member `key`.
inline mustache::data& newObject(mustache::data& object, const std::string& key) {
    mustache::data& member = object[key];
    member = mustache::data{};
    return member;
}

// What a page is made from, as 32 hex digits: two pages of the same template
// and templates render alike when their keys agree.
std::string pageKey(const mustache::data& page);
// The same for inputs written out as bytes.
std::string bytesKey(std::string_view bytes);

// A page's inputs written out as bytes for bytesKey (pageKey writes its data
// so too): values as they lie in memory, texts after their length, so that no
// two inputs run together alike.
class KeyBytes {
public:
    template <typename Value> void add(const Value& value) {
        static_assert(std::is_trivially_copyable_v<Value>);
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void addText(const std::string& text) {
        add(text.size());
        bytes_ += text;
    }
    const std::string& bytes() const { return bytes_; }
    std::string key() const { return bytesKey(bytes_); }

private:
    std::string bytes_;
};

} // namespace quorvath::web
