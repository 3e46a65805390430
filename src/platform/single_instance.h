#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strumvale::platform {

// Held by the running instance for its whole run: a lock file named after the
// instance name, under $XDG_RUNTIME_DIR (else /tmp). The lock goes with the
// process, so a crashed instance never blocks the next start.
class InstanceLock {
public:
    // Nothing when another process holds the lock. A lock file that cannot be
    // created at all does not keep the program from running.
    static std::optional<InstanceLock> acquire(std::string_view name);

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    static std::string lockPath(std::string_view name);
    // Where the running instance takes files that later starts hand over.
    static std::string socketPath(std::string_view name);

private:
    explicit InstanceLock(int descriptor) : descriptor_(descriptor) {}
    int descriptor_ = -1;
};

inline constexpr std::string_view kInstanceName = "{CA605F2A-5626-49f8-88F9-DCB56C521AD9}";

} // namespace strumvale::platform
