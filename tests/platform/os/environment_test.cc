#include "platform/os/environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace quendral::os {
namespace {

constexpr char kVariable[] = "QUENDRAL_ENVIRONMENT_TEST";

TEST(Environment, ChangesAreSeenByTheRuntime) {
  SetEnvironment(kVariable, "first value");
  ASSERT_NE(std::getenv(kVariable), nullptr);
  EXPECT_EQ(std::string(std::getenv(kVariable)), "first value");
  SetEnvironment(kVariable, "second");
  EXPECT_EQ(std::string(std::getenv(kVariable)), "second");
  UnsetEnvironment(kVariable);
  EXPECT_EQ(std::getenv(kVariable), nullptr);
  UnsetEnvironment(kVariable);
  EXPECT_EQ(std::getenv(kVariable), nullptr) << "removing an absent variable changes nothing";
}

}  // namespace
}  // namespace quendral::os
