#include "core/common/progress.h"

#include <cmath>

namespace quorvath {

void Progress::beginStage(std::string status) {
    {
        std::lock_guard lock(statusMutex_);
        status_ = std::move(status);
    }
    position_.store(0, std::memory_order_relaxed);
    stage_.fetch_add(1, std::memory_order_relaxed);
}

std::string Progress::status() const {
    std::lock_guard lock(statusMutex_);
    return status_;
}

bool progressValue(std::int64_t position, std::int64_t length, double& value) {
    if (length <= 0)
        return false;
    value = static_cast<double>(position) * (100.0 / static_cast<double>(length));
    return true;
}

std::string percentCaption(double value) {
    // std::nearbyint rounds halves to even in the default rounding mode.
    return std::to_string(static_cast<long long>(std::nearbyint(value))) + "% Complete...";
}

} // namespace quorvath
