// Date fields over a real dialog window (Windows only).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/os/desktop/dialog_exchange.h"
#include "platform/os/desktop/test_dialog.h"
#include "util/date_entry/date_entry.h"

namespace quendral::util {
namespace {

constexpr int kField = 201;

class WindowDateFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (dialog_.window() == nullptr) {
      GTEST_SKIP() << "no dialog window could be made (no display?)";
    }
  }

  std::unique_ptr<os::DialogExchange> Exchange(os::ExchangeDirection direction) {
    return os::OpenWindowDialogExchange(
        dialog_.handle(), direction,
        [this](os::WindowHandle, const char* text) { messages_.emplace_back(text); });
  }

  std::string FieldText() const {
    char text[64] = {};
    ::GetWindowTextA(dialog_.Control(kField), text, sizeof text);
    return text;
  }

  os::fixtures::TestDialog dialog_{kField};
  std::vector<std::string> messages_;
};

TEST_F(WindowDateFieldTest, LoadsAndSavesThroughTheEditControl) {
  char buffer[11] = "02252009";
  ExchangeDateText(*Exchange(os::ExchangeDirection::kLoad), kField, buffer, 10);
  EXPECT_EQ(FieldText(), "02252009");
  EXPECT_EQ(::SendMessageA(dialog_.Control(kField), EM_GETLIMITTEXT, 0, 0), 10);

  ExchangeDateText(*Exchange(os::ExchangeDirection::kSave), kField, buffer, 10);
  EXPECT_STREQ(buffer, "02/25/2009");
  EXPECT_EQ(FieldText(), "02/25/2009");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(WindowDateFieldTest, RefusesAFieldLongerThanTheMaximum) {
  char buffer[11] = "old";
  ::SetWindowTextA(dialog_.Control(kField), "02/25/02009");
  EXPECT_THROW(ExchangeDateText(*Exchange(os::ExchangeDirection::kSave), kField, buffer, 10),
               os::DialogExchangeFailed);
  EXPECT_EQ(messages_, std::vector<std::string>{"Max Length is 10"});
  EXPECT_EQ(::GetFocus(), dialog_.Control(kField));
  EXPECT_STREQ(buffer, "old");
}

TEST_F(WindowDateFieldTest, EmptiedFieldGetsItsDateBack) {
  int serial = 2451545;
  ExchangeDateSerial(*Exchange(os::ExchangeDirection::kLoad), kField, serial);
  EXPECT_EQ(FieldText(), "01/01/2000");
  ::SetWindowTextA(dialog_.Control(kField), "");
  ExchangeDateSerial(*Exchange(os::ExchangeDirection::kSave), kField, serial);
  EXPECT_EQ(FieldText(), "01/01/2000");
  EXPECT_EQ(serial, 2451545);
}

}  // namespace
}  // namespace quendral::util
