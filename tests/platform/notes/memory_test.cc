#include "platform/notes/core/memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace quendral::platform {
namespace {

TEST(MemoryHandles, BlockIsZeroedAndKeepsItsAddress) {
  DHANDLE handle = AllocateMemory(64);
  ASSERT_NE(handle, 0u);
  auto* first = static_cast<std::uint8_t*>(LockMemory(handle));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first[0], 0);
  EXPECT_EQ(first[63], 0);
  std::memset(first, 0xAB, 64);
  UnlockMemory(handle);
  // Other allocations in between must not move a block.
  std::vector<DHANDLE> others;
  others.reserve(100);
  for (int i = 0; i < 100; ++i) {
    others.push_back(AllocateMemory(1000));
  }
  auto* again = static_cast<std::uint8_t*>(LockMemory(handle));
  EXPECT_EQ(again, first);
  EXPECT_EQ(again[63], 0xAB);
  EXPECT_EQ(MemorySize(handle), 64u);
  for (DHANDLE other : others) {
    EXPECT_EQ(FreeMemory(other), kNoError);
  }
  EXPECT_EQ(FreeMemory(handle), kNoError);
}

TEST(MemoryHandles, EmptyBlockStillHasAnAddress) {
  DHANDLE handle = AllocateMemory(0);
  ASSERT_NE(handle, 0u);
  EXPECT_NE(LockMemory(handle), nullptr);
  EXPECT_EQ(MemorySize(handle), 0u);
  EXPECT_EQ(FreeMemory(handle), kNoError);
}

TEST(MemoryHandles, MisuseIsAnErrorNotACrash) {
  EXPECT_EQ(LockMemory(0), nullptr);
  EXPECT_EQ(LockMemory(0xDEADBEEF), nullptr);
  UnlockMemory(0xDEADBEEF);
  EXPECT_EQ(FreeMemory(0), kErrInvalidHandle);
  EXPECT_EQ(MemorySize(0xDEADBEEF), 0u);

  DHANDLE handle = AllocateMemory(8);
  EXPECT_EQ(FreeMemory(handle), kNoError);
  EXPECT_EQ(FreeMemory(handle), kErrInvalidHandle);
  EXPECT_EQ(LockMemory(handle), nullptr);
  UnlockMemory(handle);
}

TEST(MemoryHandles, FreedHandlesAreNotHandedOutAgainAtOnce) {
  DHANDLE first = AllocateMemory(4);
  ASSERT_EQ(FreeMemory(first), kNoError);
  DHANDLE second = AllocateMemory(4);
  EXPECT_NE(second, first);
  EXPECT_EQ(LockMemory(first), nullptr);
  EXPECT_EQ(FreeMemory(second), kNoError);
}

TEST(MemoryHandles, ThreadsAllocateAndFreeConcurrently) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 2000;
  std::vector<std::thread> threads;
  threads.reserve(kThreads);
  std::vector<int> failures(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < kRounds; ++i) {
        DHANDLE handle = AllocateMemory(16);
        auto* bytes = static_cast<std::uint8_t*>(LockMemory(handle));
        if (bytes == nullptr) {
          ++failures[t];
          continue;
        }
        std::memset(bytes, t, 16);
        if (bytes[15] != t || FreeMemory(handle) != kNoError) {
          ++failures[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  for (int failed : failures) {
    EXPECT_EQ(failed, 0);
  }
}

// Each thread allocates from a part of the table of its own: any thread
// finds, measures and frees any block, and no two handles are the same.
TEST(MemoryHandles, BlocksOfOneThreadAreUsedAndFreedByAnother) {
  constexpr std::size_t kThreads = 12;
  std::vector<DHANDLE> handles(2 * kThreads);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &handles] {
      handles[2 * t] = AllocateMemory(t + 1);
      handles[2 * t + 1] = AllocateMemory(t + 1);
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(std::set<DHANDLE>(handles.begin(), handles.end()).size(), handles.size());
  for (std::size_t i = 0; i < handles.size(); ++i) {
    const std::size_t size = i / 2 + 1;
    auto* bytes = static_cast<std::uint8_t*>(LockMemory(handles[i]));
    ASSERT_NE(bytes, nullptr) << i;
    EXPECT_EQ(MemorySize(handles[i]), size) << i;
    EXPECT_EQ(BytesAvailableAt(bytes + size - 1), 1u) << i;
    EXPECT_EQ(FreeMemory(handles[i]), kNoError) << i;
    EXPECT_EQ(LockMemory(handles[i]), nullptr) << i;
  }
}

TEST(MemoryHandles, BytesAvailableAtAnAddressEndWithItsBlock) {
  const DHANDLE handle = AllocateMemory(64);
  auto* base = static_cast<std::uint8_t*>(LockMemory(handle));
  EXPECT_EQ(BytesAvailableAt(base), 64u);
  EXPECT_EQ(BytesAvailableAt(base + 60), 4u);
  EXPECT_EQ(BytesAvailableAt(base + 64), 0u);
  int outside = 0;
  EXPECT_EQ(BytesAvailableAt(&outside), 0u);
  UnlockMemory(handle);
  FreeMemory(handle);
  EXPECT_EQ(BytesAvailableAt(base), 0u);
}

}  // namespace
}  // namespace quendral::platform
