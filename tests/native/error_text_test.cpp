#include "app/error_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::string compose(int code, const char* text) {
  std::vector<char> out(errorTextSize(text));
  composeErrorText(code, text, out.data(), out.size());
  return out.data();
}
}  // namespace

TEST(ErrorText, MessagesForEveryCode) {
  struct Case { int code; const char* text; const char* message; };
  const Case cases[] = {
      {0, "TintletApp", "Could not registerTintletApp !!\r\r Aborting !!"},
      {1, "ignored", "Timer initialization failed !!\r\r Aborting !!"},
      {3, "", "Error accessing registry !!\r\r Aborting !!"},
      {200, "Ctrl+Shift+O\rCtrl+Shift+D\r", "Hotkey registration failed:\r\rCtrl+Shift+O\rCtrl+Shift+D\r"},
      {1000, "Clipboard error !!\r\rUnable to copy !!", "Clipboard error !!\r\rUnable to copy !!"},
      {7, "other", "other !!\r\r Aborting !!"},
      {555, "plain", "plain"},
      {1001, "C:\\Colours\\a.gpl\r\rAccess denied.",
       "The history could not be saved to\r\rC:\\Colours\\a.gpl\r\rAccess denied."},
      {1100, "Z:\\t\\Tintlet.ini\r\rAccess denied.",
       "The settings could not be saved to\r\rZ:\\t\\Tintlet.ini\r\rAccess denied.\r\r"
       "Tintlet keeps them until it ends and tries again at the next change."},
      {1101, "Z:\\t\\Tintlet.ini\r\rSharing violation.",
       "The settings could not be read from\r\rZ:\\t\\Tintlet.ini\r\rSharing violation.\r\r"
       "Tintlet starts with its defaults and leaves the file as it is."},
  };
  for (const Case& c : cases) {
    const std::string message = compose(c.code, c.text);
    EXPECT_EQ(message, c.message) << c.code;
    EXPECT_EQ(message.find('\n'), std::string::npos);
  }
}

TEST(ErrorText, NeverWritesPastTheBuffer) {
  char out[10];
  composeErrorText(0, "TintletOptions", out, sizeof out);
  EXPECT_STREQ(out, "Could not");
}
