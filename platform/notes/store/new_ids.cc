#include "platform/notes/store/new_ids.h"

#include <mutex>
#include <random>

namespace quendral::platform {
namespace {

TIMEDATE RandomTimedate() {
  static std::mutex mutex;
  static std::mt19937_64 generator = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  std::lock_guard<std::mutex> lock(mutex);
  std::uint64_t bits = generator();
  return TIMEDATE{{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)}};
}

}  // namespace

UNIVERSALNOTEID NewUniversalId() { return UNIVERSALNOTEID{RandomTimedate(), RandomTimedate()}; }

TIMEDATE NewReplicaId() { return RandomTimedate(); }

}  // namespace quendral::platform
