// Changes one environment variable for the life of a test and puts back
// what was there before, on every system the tests run on.
#ifndef QUENDRAL_TESTS_SUPPORT_ENVIRONMENT_OVERRIDE_H_
#define QUENDRAL_TESTS_SUPPORT_ENVIRONMENT_OVERRIDE_H_

#include <stdlib.h>

#include <optional>
#include <string>

#include "platform/os/environment.h"

namespace quendral::fixtures {

class EnvironmentOverride {
 public:
  // Sets `name` to `value`, or removes it when `value` is null.
  EnvironmentOverride(const char* name, const char* value) : name_(name) {
    if (const char* old = ::getenv(name)) {
      saved_ = old;
    }
    Set(value);
  }
  ~EnvironmentOverride() { Set(saved_ ? saved_->c_str() : nullptr); }
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

  // Changes the variable again; the destructor still restores the original.
  void Set(const char* value) {
    if (value == nullptr) {
      os::UnsetEnvironment(name_.c_str());
    } else {
      os::SetEnvironment(name_.c_str(), value);
    }
  }

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace quendral::fixtures

#endif  // QUENDRAL_TESTS_SUPPORT_ENVIRONMENT_OVERRIDE_H_
