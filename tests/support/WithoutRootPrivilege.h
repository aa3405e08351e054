#pragma once

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

// Root ignores permission bits, so a root process acts as the user "nobody" while the object
// lives; any other user stays as it is.
class WithoutRootPrivilege {
public:
    WithoutRootPrivilege() {
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            dropped_ = nobody != nullptr && seteuid(nobody->pw_uid) == 0;
        }
    }
    ~WithoutRootPrivilege() {
        if (dropped_ && seteuid(0) != 0) {
            std::abort();
        }
    }
    WithoutRootPrivilege(const WithoutRootPrivilege&) = delete;
    WithoutRootPrivilege& operator=(const WithoutRootPrivilege&) = delete;

private:
    bool dropped_ = false;
};
