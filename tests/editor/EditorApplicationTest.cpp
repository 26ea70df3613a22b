#include <gtest/gtest.h>

#include "tessaly/EditorApplication.h"
#include "core/Errors.h"
#include "core/MessagePort.h"

using namespace tess;

TEST(EditorApplication, ExceptionsAreShownWithTheirMessage) {
  TScriptedMessages messages;
  {
    TMessagePortScope port(&messages);
    TEditorApplication::ReportException(std::make_exception_ptr(EReadError()));
    TEditorApplication::ReportException(std::make_exception_ptr(42));
  }
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "Stream read error.");
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
  EXPECT_EQ(messages.shown[1].text, "An unexpected error occurred.");
}
