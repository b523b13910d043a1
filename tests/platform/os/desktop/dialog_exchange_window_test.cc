// The dialog exchange over a real dialog window (Windows only; there are no
// dialog windows elsewhere).
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/os/desktop/dialog_exchange.h"
#include "platform/os/desktop/test_dialog.h"

namespace quendral::os {
namespace {

#ifdef _WIN32

constexpr int kField = 101;
constexpr int kOtherField = 102;

struct ShownMessage {
  WindowHandle owner;
  std::string text;
};

class WindowDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (dialog_.window() == nullptr) {
      GTEST_SKIP() << "no dialog window could be made (no display?)";
    }
    exchange_ = OpenWindowDialogExchange(dialog_.handle(), ExchangeDirection::kSave,
                                         [this](WindowHandle owner, const char* text) {
                                           shown_.push_back({owner, text});
                                         });
  }

  fixtures::TestDialog dialog_{kField, kOtherField};
  std::unique_ptr<DialogExchange> exchange_;
  std::vector<ShownMessage> shown_;
};

TEST_F(WindowDialogTest, TextGoesIntoTheEditControlAndBack) {
  exchange_->SetText(kField, "02/25/2009");
  char buffer[32] = {};
  ::GetWindowTextA(dialog_.Control(kField), buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "02/25/2009");
  EXPECT_EQ(exchange_->GetText(kField), "02/25/2009");
  EXPECT_EQ(exchange_->LineLength(kField), 10);
  EXPECT_EQ(exchange_->GetText(kOtherField), "");
}

TEST_F(WindowDialogTest, BoundedTextIsCutAndTerminated) {
  exchange_->SetText(kField, "02/25/2009");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(exchange_->GetText(kField, buffer, 6), 5);
  EXPECT_STREQ(buffer, "02/25");
  EXPECT_EQ(buffer[6], '#');
}

TEST_F(WindowDialogTest, LimitReachesTheControl) {
  exchange_->LimitText(kField, 10);
  EXPECT_EQ(::SendMessageA(dialog_.Control(kField), EM_GETLIMITTEXT, 0, 0), 10);
}

TEST_F(WindowDialogTest, FailFocusesThePreparedControlAndSelectsItsText) {
  exchange_->SetText(kField, "bad date");
  exchange_->PrepareEditControl(kOtherField);
  exchange_->PrepareEditControl(kField);
  EXPECT_THROW(exchange_->Fail(), DialogExchangeFailed);
  EXPECT_EQ(::GetFocus(), dialog_.Control(kField));
  DWORD start = 1;
  DWORD end = 0;
  ::SendMessageA(dialog_.Control(kField), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0U);
  EXPECT_EQ(end, 8U);
}

TEST_F(WindowDialogTest, MessagesAreOwnedByTheDialog) {
  exchange_->ShowMessage("Invalid Date or Format");
  ASSERT_EQ(shown_.size(), 1U);
  EXPECT_EQ(shown_[0].owner, dialog_.handle());
  EXPECT_EQ(shown_[0].text, "Invalid Date or Format");
}

TEST_F(WindowDialogTest, UnknownControlIsAnError) {
  EXPECT_THROW(exchange_->PrepareEditControl(999), std::invalid_argument);
  EXPECT_THROW(exchange_->SetText(999, "x"), std::invalid_argument);
}

TEST_F(WindowDialogTest, TellsItsDirection) {
  EXPECT_TRUE(exchange_->IsSaving());
  EXPECT_FALSE(OpenWindowDialogExchange(dialog_.handle(), ExchangeDirection::kLoad)->IsSaving());
}

#else

TEST(WindowDialogExchange, NoneOutsideWindows) {
  EXPECT_EQ(OpenWindowDialogExchange(0, ExchangeDirection::kSave), nullptr);
}

#endif

}  // namespace
}  // namespace quendral::os
