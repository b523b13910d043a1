// Naming threads for debuggers.
#include "platform/os/thread_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#ifndef _WIN32
#include <pthread.h>
#endif

namespace quendral::os {
namespace {

#ifndef _WIN32
// The name the system keeps. Windows gives debuggers the name but has no
// call that reads it back.
std::string NameOf(ThreadId thread) {
  char name[64] = {};
  pthread_t native{};
  std::memcpy(&native, &thread, sizeof(native));
  return ::pthread_getname_np(native, name, sizeof(name)) == 0 ? name : "";
}
#endif

TEST(ThreadName, NamesAnotherThread) {
  std::thread worker([] {
    SetThreadDebugName(kCallingThread, "worker");
#ifndef _WIN32
    EXPECT_EQ(NameOf(CurrentThreadId()), "worker");
#endif
  });
  worker.join();
}

TEST(ThreadName, LongNamesAreCutToTheSystemLimit) {
  std::thread worker([] {
    SetThreadDebugName(CurrentThreadId(), "a name far longer than the limit");
#ifndef _WIN32
    EXPECT_EQ(NameOf(CurrentThreadId()), "a name far long");
#endif
  });
  worker.join();
}

}  // namespace
}  // namespace quendral::os
