#include "core/web/page_data.h"

#include <xxhash.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace quorvath::web {

namespace {

// mustache.hpp lets an object's members be looked up but not walked; an
// explicit instantiation may name a private member, so this reads the map.
using ObjectPointer = std::unique_ptr<mustache::object> mustache::data::*;
struct ObjectMember {
    friend ObjectPointer objectMember(ObjectMember);
};
template <ObjectPointer Member> struct ObjectAccess {
    friend ObjectPointer objectMember(ObjectMember) { return Member; }
};
template struct ObjectAccess<&mustache::data::obj_>;

// Writes the data out as bytes that differ whenever a rendering could:
// members in the order of their names, partials and lambdas by kind only (the
// templates' identity stands for them). Hashed at once: XXH3 gives the same
// hash of the same bytes fed in pieces, at many times the cost of small pieces.
class DataBytes {
public:
    void add(const mustache::data& d) {
        if (d.is_string()) {
            tag('s');
            sized(d.string_value());
        } else if (d.is_list()) {
            tag('l');
            for (const mustache::data& item : d.list_value())
                add(item);
            tag('e');
        } else if (d.is_object()) {
            addObject(*(d.*objectMember(ObjectMember{})));
        } else {
            tag(d.is_true() ? 't' : d.is_false() ? 'f' : d.is_partial() ? 'p' : 'x');
        }
    }

    XXH128_hash_t digest() const { return XXH3_128bits(bytes_.data(), bytes_.size()); }

private:
    void tag(char kind) { bytes_ += kind; }

    void sized(const std::string& text) {
        const std::uint64_t size = text.size();
        bytes_.append(reinterpret_cast<const char*>(&size), sizeof size);
        bytes_ += text;
    }

    void addObject(const mustache::object& members) {
        std::vector<const mustache::object::value_type*> sorted;
        sorted.reserve(members.size());
        for (const auto& member : members)
            sorted.push_back(&member);
        std::sort(sorted.begin(), sorted.end(),
                  [](const auto* a, const auto* b) { return a->first < b->first; });
        tag('o');
        for (const auto* member : sorted) {
            sized(member->first);
            add(member->second);
        }
        tag('e');
    }

    std::string bytes_;
};

std::string hexKey(const XXH128_hash_t& hash) {
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return hex;
}

} // namespace

std::string pageKey(const mustache::data& page) {
    DataBytes data;
    data.add(page);
    return hexKey(data.digest());
}

std::string bytesKey(std::string_view bytes) {
    return hexKey(XXH3_128bits(bytes.data(), bytes.size()));
}

} // namespace quorvath::web
