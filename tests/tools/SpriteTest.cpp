#include <gtest/gtest.h>

#include "tools/rtpgen/CharacterArt.h"

using namespace tess::rtp;

TEST(CharacterSheet, EveryFrameIsDrawnAndWalkersMirrorAndStep) {
  for (auto looks : {HeroLooks(), PeopleLooks(), CreatureLooks()}) {
    TIndexedCanvas sheet = DrawCharacterSheet(looks);
    ASSERT_EQ(sheet.Width(), 288);
    ASSERT_EQ(sheet.Height(), 256);
    for (int ch = 0; ch < 8; ++ch) {
      // Character c's block is at ((c mod 4) * 72, (c div 4) * 128); frame (p, d) at (24p, 32d).
      int bx = (ch % 4) * 72, by = (ch / 4) * 128;
      for (int d = 0; d < 4; ++d)
        for (int p = 0; p < 3; ++p) {
          TRect r = CharacterFrameRect(ch, d, p);
          EXPECT_EQ(r.x, bx + 24 * p);
          EXPECT_EQ(r.y, by + 32 * d);
          EXPECT_FALSE(sheet.IsBlank(r)) << ch << " " << d << " " << p;
        }
      if (looks[ch].body != TBody::Human) continue;
      for (int p = 0; p < 3; ++p) {
        // Facing right (1) is the mirror of facing left (3).
        TIndexedCanvas right = sheet.Crop(CharacterFrameRect(ch, 1, p));
        TIndexedCanvas left = sheet.Crop(CharacterFrameRect(ch, 3, p));
        left.MirrorRect({0, 0, 24, 32});
        EXPECT_EQ(right.Pixels(), left.Pixels()) << ch << " " << p;
      }
      for (int d = 0; d < 4; ++d)
        EXPECT_FALSE(sheet.SameRect(CharacterFrameRect(ch, d, 0), CharacterFrameRect(ch, d, 1))) << ch << " " << d;
    }
  }
}

TEST(FaceSheet, SixteenDistinctPortraits) {
  TIndexedCanvas sheet = DrawFaceSheet(HeroLooks());
  ASSERT_EQ(sheet.Width(), 192);
  ASSERT_EQ(sheet.Height(), 192);
  for (int i = 0; i < 16; ++i) {
    TRect r = {(i % 4) * 48, (i / 4) * 48, 48, 48};
    EXPECT_FALSE(sheet.IsBlank(r)) << i;
    for (int j = 0; j < i; ++j) EXPECT_FALSE(sheet.SameRect(r, {(j % 4) * 48, (j / 4) * 48, 48, 48})) << i << " " << j;
  }
}
