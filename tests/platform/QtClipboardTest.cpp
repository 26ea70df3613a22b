#include <gtest/gtest.h>

#include "core/Catalog.h"
#include "platform/QtClipboard.h"

using namespace tess;

namespace {
class TNamed : public TCatalogBaseItem {
 public:
  TNamed() { Reset(); }
  std::string text;
  void DescribeChunks(TCatalogVarData& v) override { v.String(1, text); }
};
}  // namespace

TEST(QtClipboard, BlocksTravelUnderTheirMimeTypeUnchanged) {
  TQtClipboard clip;
  EXPECT_EQ(TQtClipboard::MimeType(566), "application/x-tessaly-566");
  TClipboardPortScope port(&clip);
  TNamed a;
  a.text = std::string("\x82\xA0\xFF", 3);  // bytes of another code page pass through untouched
  a.CopyToClipboard(564);
  EXPECT_TRUE(clip.HasBlock(564));
  EXPECT_FALSE(clip.HasBlock(565));
  TNamed b;
  EXPECT_TRUE(b.PasteFromClipboard(564));
  EXPECT_EQ(b.text, a.text);
  clip.SetText(std::string("caf\xE9", 4));
  EXPECT_EQ(clip.GetText(), std::string("caf\xE9", 4));
  EXPECT_FALSE(clip.HasBlock(564));
}
