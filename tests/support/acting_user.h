#pragma once
// Root reads and writes past every permission bit, and the tests run as root.
// For the life of this object the whole process acts as "nobody" (uid and gid
// 65534), so an unreadable file or a read-only folder refuses as it would for
// a user. Not root: nothing changes, the permissions apply anyway.

#include <unistd.h>

namespace quorvath::test {

class ActingAsNobody {
public:
    ActingAsNobody() {
        if (::geteuid() == 0)
            switched_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~ActingAsNobody() {
        if (switched_) {
            [[maybe_unused]] const int u = ::seteuid(0); // allowed: the saved uid is root
            [[maybe_unused]] const int g = ::setegid(0);
        }
    }
    ActingAsNobody(const ActingAsNobody&) = delete;
    ActingAsNobody& operator=(const ActingAsNobody&) = delete;
    // False only when running as root failed to drop the rights.
    bool effective() const { return switched_ || ::geteuid() != 0; }

private:
    bool switched_ = false;
};

} // namespace quorvath::test
