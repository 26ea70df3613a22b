#include <gtest/gtest.h>

#include "platform/TextCodec.h"

using namespace tess;

TEST(TextCodec, ConvertsOnlyAtTheEdgeInTheProjectsCodePage) {
  TextCodec western;
  EXPECT_EQ(western.ToUnicode(std::string("caf\xE9 \x80", 6)), QString::fromUtf8("café €"));
  EXPECT_EQ(western.FromUnicode(QString::fromUtf8("café €")), std::string("caf\xE9 \x80", 6));
  TextCodec japanese("Shift_JIS");
  EXPECT_EQ(japanese.Name(), "Shift_JIS");
  EXPECT_EQ(japanese.ToUnicode(std::string("\x83\x65\x83\x58\x83\x67", 6)), QString::fromUtf8("テスト"));
  EXPECT_EQ(japanese.FromUnicode(QString::fromUtf8("テスト")), std::string("\x83\x65\x83\x58\x83\x67", 6));
  EXPECT_EQ(TextCodec("no-such-code-page").Name(), "windows-1252");
}
