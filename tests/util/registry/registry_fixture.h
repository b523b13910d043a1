// The fixture of the registry tests.
#ifndef QUENDRAL_TESTS_UTIL_REGISTRY_REGISTRY_FIXTURE_H_
#define QUENDRAL_TESTS_UTIL_REGISTRY_REGISTRY_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/os/environment.h"
#include "util/registry/registry.h"

namespace quendral::util::fixtures {

// Each test gets its own key path; outside Windows also its own store files.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    key_ = std::string("Software\\QuendralTests\\") + info->name();
    if (!os::kRunsOnWindows) {
      store_ = std::filesystem::temp_directory_path() /
               (std::string("quendral_registry_") + info->name());
      std::filesystem::remove_all(store_);
      os::SetEnvironment("QUENDRAL_REGISTRY_CURRENT_USER",
                         (store_ / "user.sqlite").string().c_str());
      os::SetEnvironment("QUENDRAL_REGISTRY_LOCAL_MACHINE",
                         (store_ / "machine.sqlite").string().c_str());
    }
    Clean();
  }
  void TearDown() override {
    Clean();
    if (!os::kRunsOnWindows) {
      std::filesystem::remove_all(store_);
    }
  }

  void Clean() {
    DeleteRegistryKeyTree(os::CurrentUserRoot(), key_);
    DeleteRegistryKeyTree(os::LocalMachineRoot(), key_);
  }

  int Read(const std::string& name, int* place, std::uint32_t size = sizeof(buffer_)) {
    std::memset(buffer_, 'x', sizeof(buffer_));
    return ReadRegistryValue(key_, name, buffer_, size, place);
  }

  std::string key_;
  std::filesystem::path store_;
  char buffer_[64];
};

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_REGISTRY_REGISTRY_FIXTURE_H_
