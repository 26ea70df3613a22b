#include <gtest/gtest.h>

#include <algorithm>

#include "platform/CodePageGuess.h"
#include "platform/TextCodec.h"

using namespace tess;

namespace {

// Names as a project in code page stores them.
std::vector<std::string> Stored(const char* codePage, const std::vector<const char*>& names) {
  const TextCodec codec(codePage);
  std::vector<std::string> bytes;
  for (const char* name : names) {
    const QString text = QString::fromUtf8(name);
    EXPECT_TRUE(codec.CanEncode(text)) << name;
    bytes.push_back(codec.FromUnicode(text));
  }
  return bytes;
}

}  // namespace

// The names of a small game in each language, mixed with the ASCII names every project has.
TEST(CodePageGuess, FindsTheCodePageTheNamesReadBestIn) {
  struct TCase {
    const char* codePage;
    std::vector<const char*> names;
    bool certain;  // no other candidate reads them nearly as well
  };
  const TCase cases[] = {
      {"windows-1252", {"Hero", "Café", "Épée de feu", "Château", "Königin", "Señor", "Ölfass"}, false},
      {"Shift_JIS", {"Hero", "勇者", "スライム", "ポーション", "村の宿屋", "洞窟の奥", "はじまりの村"}, true},
      {"GBK", {"Hero", "勇者", "史莱姆", "药水", "村庄旅馆", "洞穴深处", "开始的村庄", "魔王城"}, true},
      {"Big5", {"Hero", "勇者", "史萊姆", "藥水", "村莊旅館", "洞穴深處", "開始的村莊", "魔王城"}, true},
      {"EUC-KR", {"Hero", "용사", "슬라임", "포션", "마을 여관", "동굴 깊은 곳", "시작의 마을"}, true},
      {"windows-1250", {"Hero", "Zażółć gęślą jaźń", "Łódź", "Świętokrzyskie", "Kraków"}, true},
      {"windows-1250", {"Hero", "Příliš žluťoučký kůň", "Čechy", "Brno"}, false},
      // Every letter also reads as a Central European one: the narrower Turkish and Baltic pages win.
      {"windows-1254", {"Kahraman", "Büyücü", "İksir", "Mağara", "Şövalye"}, false},
      {"windows-1257", {"Varonis", "Burvis", "Ąžuolas", "Šiauliai", "Rīga"}, false},
      {"windows-1251", {"Hero", "Герой", "Зелье", "Пещера", "Деревня", "Тёмный лес"}, true},
      {"windows-1253", {"Hero", "Ήρωας", "Φίλτρο", "Σπηλιά", "Χωριό"}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.codePage);
    const TCodePageGuess guess = GuessCodePage(Stored(c.codePage, c.names));
    EXPECT_EQ(guess.name, c.codePage);
    EXPECT_TRUE(guess.fromNames);
    ASSERT_FALSE(guess.ranked.empty());
    EXPECT_EQ(guess.ranked.front(), c.codePage);
    // The close ones are the next best, in their order.
    EXPECT_EQ(guess.close.empty(), c.certain);
    ASSERT_LT(guess.close.size(), guess.ranked.size());
    EXPECT_TRUE(std::equal(guess.close.begin(), guess.close.end(), guess.ranked.begin() + 1));
  }
}

TEST(CodePageGuess, PlainOrUnreadableNamesLeaveTheDefault) {
  // ASCII reads alike everywhere: nothing to choose.
  TCodePageGuess guess = GuessCodePage({"Hero", "Slime", "MAP0001", ""});
  EXPECT_EQ(guess.name, "windows-1252");
  EXPECT_FALSE(guess.fromNames);
  EXPECT_EQ(guess.ranked.size(), CandidateCodePages().size());
  EXPECT_EQ(GuessCodePage({}).name, "windows-1252");

  // A lone Shift_JIS lead byte cannot be read by the double-byte pages; the single-byte ones
  // that read every byte stay in.
  guess = GuessCodePage({std::string("\x83\x65\x83", 3)});
  for (const std::string& name : guess.ranked) {
    EXPECT_NE(name, "Shift_JIS");
    EXPECT_NE(name, "GBK");
    EXPECT_NE(name, "Big5");
    EXPECT_NE(name, "EUC-KR");
  }
}

TEST(CodePageGuess, NamesGivenByTheUserAreFoundInAnyCase) {
  EXPECT_EQ(FindCodePage("shift_jis"), "Shift_JIS");
  EXPECT_EQ(FindCodePage("WINDOWS-1251"), "windows-1251");
  EXPECT_EQ(FindCodePage("gbk"), "GBK");
  EXPECT_EQ(FindCodePage("utf-8"), "");
  EXPECT_EQ(FindCodePage(""), "");
  EXPECT_EQ(CandidateCodePages().size(), 13u);
  EXPECT_EQ(CodePageCaption("Shift_JIS"), "Japanese (Shift_JIS)");
}

// Text the code page cannot hold is refused whole, naming the first character in the way, so that
// nothing is stored with substitutes; a best fit that reads back as another character counts as
// missing too.
TEST(TextCodec, RefusesTextTheCodePageCannotHold) {
  struct TCase {
    const char* codePage;
    const char* text;
    bool storable;
    const char* refused;
  };
  const TCase cases[] = {
      {"windows-1252", "Café €", true, ""},
      {"windows-1252", "Caféテスト", false, "テ"},
      {"windows-1252", "Āpple", false, "Ā"},
      {"windows-1252", "a\xEF\xBF\xBD", false, "\xEF\xBF\xBD"},  // U+FFFD: bytes that were unreadable
      {"Shift_JIS", "テスト勇者", true, ""},
      {"Shift_JIS", "テスト€", false, "€"},
      {"GBK", "药水", true, ""},
      {"GBK", "药水😀", false, "😀"},
      {"windows-1251", "Зелье", true, ""},
      {"windows-1251", "Зелье é", false, "é"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.codePage) + " " + c.text);
    const TextCodec codec(c.codePage);
    QString refused = "unchanged";
    EXPECT_EQ(codec.CanEncode(QString::fromUtf8(c.text), &refused), c.storable);
    if (!c.storable) EXPECT_EQ(refused, QString::fromUtf8(c.refused));
  }
  // Reading: only complete characters of the code page.
  EXPECT_TRUE(TextCodec("Shift_JIS").Decodes("\x83\x65\x83\x58"));
  EXPECT_FALSE(TextCodec("Shift_JIS").Decodes("\x83\x65\x83"));
  EXPECT_TRUE(TextCodec("windows-1252").Decodes("caf\xE9"));
}
