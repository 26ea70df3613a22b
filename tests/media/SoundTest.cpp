#include <gtest/gtest.h>

#include "media/LD_Sound.h"

using namespace tess;

TEST(Sound, ResetReferencesWriteOnlyTheName) {
  TLcfMusic music;
  Bytes out;
  music.SaveTo(out);
  EXPECT_EQ(out, (Bytes{1, 5, '(', 'O', 'F', 'F', ')', 0}));
  TLcfSound sound;
  out.clear();
  sound.SaveTo(out);
  EXPECT_EQ(out, (Bytes{1, 5, '(', 'O', 'F', 'F', ')', 0}));
}

TEST(Sound, AssignTakesOnlyItsOwnClass) {
  TLcfMusic a, b;
  a.name = "Battle1";
  a.fadeIn = 3000;
  a.balance = 20;
  b.Assign(a);
  EXPECT_EQ(b.name, "Battle1");
  EXPECT_EQ(b.fadeIn, 3000);
  EXPECT_EQ(b.balance, 20);
  TLcfSound s;
  s.name = "Cursor1";
  b.Assign(s);
  EXPECT_EQ(b.name, "Battle1");
  // A sound has no chunk 2: a file that carries one keeps it, unread.
  Bytes in = {1, 1, 'x', 2, 1, 5, 3, 1, 50, 0};
  TByteReader r(in.data(), in.size());
  s.LoadFrom(r);
  EXPECT_EQ(s.volume, 50);
  Bytes out;
  s.SaveTo(out);
  EXPECT_EQ(out, in);
}
