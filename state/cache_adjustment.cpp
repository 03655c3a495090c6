#include "state/cache_adjustment.h"

#include <atomic>
#include <cstdint>

namespace {

std::atomic<std::int32_t> runningAdjustments{0};

}  // namespace

CacheAdjustmentTurn::CacheAdjustmentTurn() : onlyOne_(runningAdjustments.fetch_add(1) == 0) {}

CacheAdjustmentTurn::~CacheAdjustmentTurn() {
    runningAdjustments.fetch_sub(1);
}
