#include "engine/CatalogueLock.h"

#include <thread>

namespace quorvel {

namespace {
constexpr std::chrono::milliseconds kRetryInterval(20);
}  // namespace

std::string CatalogueLockPath(const std::string& cataloguePath) {
    return cataloguePath + ".lock";
}

platform::Result<platform::UniqueFile> LockCatalogue(platform::Host& host,
                                                     const std::string& cataloguePath,
                                                     std::chrono::milliseconds wait, bool* waited) {
    const std::string lockPath = CatalogueLockPath(cataloguePath);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    *waited = false;
    for (;;) {
        platform::Result<platform::UniqueFile> lock = host.LockFileExclusively(lockPath);
        if (lock || lock.Error() != platform::ErrorCode::kLockViolation ||
            std::chrono::steady_clock::now() >= deadline) {
            return lock;
        }
        *waited = true;
        std::this_thread::sleep_for(kRetryInterval);
    }
}

}  // namespace quorvel
