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

    const std::string& bytes() const { return bytes_.bytes(); }

private:
    void tag(char kind) { bytes_.add(kind); }
    void sized(const std::string& text) { bytes_.addText(text); }

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

    KeyBytes bytes_;
};

} // namespace

std::string pageKey(const mustache::data& page) {
    DataBytes data;
    data.add(page);
    return bytesKey(data.bytes());
}

std::string bytesKey(std::string_view bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return hex;
}

} // namespace quorvath::web
