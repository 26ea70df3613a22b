#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QtTest/QTest>
#include <filesystem>

#include "core/ClipboardPort.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "editor/maps/FormEDMap.h"
#include "editor/maps/FormMapTree.h"
#include "editor/maps/MapTreeWidget.h"
#include "maps/MapProperties.h"
#include "project/ProjectDocument.h"
#include "tests/editor/EditorProject.h"
#include "ui/BoardView.h"

using namespace tess;
using namespace tess::test;

namespace {

struct MapTreeWindow : ::testing::Test {
  TQuietModeScope quiet{true};
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TMemoryClipboard clipboard;
  TClipboardPortScope clipboardScope{&clipboard};
  TEditorProject project;
  std::string scratch;
  std::unique_ptr<TProjectDocument> document;
  std::unique_ptr<TFormMapTree> window;

  void SetUp() override {
    project.Make();
    scratch = project.base.path().toStdString() + "/scratch/";
    std::filesystem::create_directories(scratch);
    document = std::make_unique<TProjectDocument>(project.base.path().toStdString() + "/");
    window = std::make_unique<TFormMapTree>(*document);
    ASSERT_TRUE(document->Open(project.Folder(), scratch));
  }
  void TearDown() override {
    window.reset();
    document.reset();
  }
  QStringList Captions() const {
    QStringList captions;
    for (QTreeWidgetItemIterator it(window->Tree()); *it; ++it) captions << (*it)->text(0);
    return captions;
  }
  // Runs a command that opens a modal dialog; what runs inside it while it is up.
  template <class Dialog>
  void WithDialog(const std::function<void()>& command, const std::function<void(Dialog&)>& inside) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      seen = dialog != nullptr;
      if (dialog) inside(*dialog);
      if (QApplication::activeModalWidget()) QApplication::activeModalWidget()->close();
    });
    command();
    EXPECT_TRUE(seen);
  }
};

}  // namespace

TEST_F(MapTreeWindow, ShowsTheTreeAndFollowsItsCommands) {
  EXPECT_EQ(Captions(), (QStringList{"Test", "MAP0001"}));
  EXPECT_EQ(window->Tree()->SelectedId(), 1);
  // New Map under the selected map, through its dialog.
  WithDialog<TFormEDMap>([&] { window->RunNewMap(); },
                         [](TFormEDMap& dialog) {
                           EXPECT_EQ(dialog.windowTitle(), "Map Properties - ID:0002");
                           EXPECT_EQ(dialog.NameEdit()->text(), "MAP0002");
                           dialog.accept();
                         });
  EXPECT_EQ(Captions(), (QStringList{"Test", "MAP0001", "MAP0002 *"}));
  EXPECT_EQ(window->Tree()->SelectedId(), 2);
  EXPECT_EQ(window->Tree()->ItemOfId(2)->parent(), window->Tree()->ItemOfId(1));
  EXPECT_EQ(document->Map().Id(), 2);

  // Saving clears the marks.
  ASSERT_TRUE(document->SaveMap());
  EXPECT_EQ(Captions(), (QStringList{"Test", "MAP0001", "MAP0002"}));

  // Ctrl+C and Ctrl+V on the selected map paste a copy under it.
  QTest::keyClick(window->Tree(), Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(clipboard.HasBlock(568));
  QTest::keyClick(window->Tree(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Captions(), (QStringList{"Test", "MAP0001", "MAP0002", "MAP0003 *"}));

  // Del asks first: No keeps the map, Yes deletes it.
  messages.answers = {TMessageResult::No};
  QTest::keyClick(window->Tree(), Qt::Key_Delete);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "MAP0003 will be deleted.  Proceed?");
  EXPECT_EQ(Captions().size(), 4);
  messages.answers = {TMessageResult::Yes};
  QTest::keyClick(window->Tree(), Qt::Key_Delete);
  EXPECT_EQ(Captions(), (QStringList{"Test", "MAP0001", "MAP0002"}));
  EXPECT_EQ(window->Tree()->SelectedId(), 2);

  // Selecting a node in the view opens its map.
  window->Tree()->SelectId(1);
  EXPECT_EQ(document->Map().Id(), 1);
  EXPECT_EQ(document->MapTree().currentId, 1);
}

TEST_F(MapTreeWindow, MenusFollowTheNodeAndTheClipboard) {
  window->Tree()->SelectId(0);
  QMenu* menu = window->MenuForSelected();
  ASSERT_EQ(menu, window->RootMenu());
  auto enabled = [](QMenu* m, const QString& caption) {
    for (QAction* a : m->actions())
      if (a->text() == caption) return a->isEnabled();
    ADD_FAILURE() << caption.toStdString();
    return false;
  };
  EXPECT_FALSE(enabled(menu, "Paste"));
  window->Tree()->SelectId(1);
  ASSERT_EQ(window->MenuForSelected(), window->MapMenu());
  EXPECT_FALSE(enabled(window->MapMenu(), "Generate Dungeon"));
  window->RunCopyMap();
  window->Tree()->SelectId(0);
  window->MenuForSelected();
  EXPECT_TRUE(enabled(window->RootMenu(), "Paste"));
  document->Map().useGenerator = 1;
  window->Tree()->SelectId(1);
  document->Map().useGenerator = 1;
  window->MenuForSelected();
  EXPECT_TRUE(enabled(window->MapMenu(), "Generate Dungeon"));
  window->SetLocked(true);
  EXPECT_EQ(window->MenuForSelected(), nullptr);
  EXPECT_FALSE(window->Tree()->isEnabled());
}

TEST_F(MapTreeWindow, MapPropertiesCoupling) {
  TMapProperties p;
  ASSERT_TRUE(window->Commands().PrepareNewMap(0, p));
  TFormEDMap dialog(*document, window->Commands(), p);
  // A new top-level map: "Allow" for the permissions, "Entrust to Event" for the music, and the
  // parent's choice is off.
  for (int group = 0; group < 5; ++group) {
    EXPECT_TRUE(dialog.Choice(group, 1)->isChecked()) << group;
    EXPECT_FALSE(dialog.Choice(group, 0)->isEnabled()) << group;
  }
  EXPECT_EQ(dialog.RoomWidthBox()->maximum(), 5);
  EXPECT_EQ(dialog.RoomHeightBox()->maximum(), 3);
  dialog.WidthBox()->setValue(44);
  EXPECT_EQ(dialog.RoomWidthBox()->maximum(), 11);
  dialog.RoomWidthBox()->setValue(11);
  dialog.WidthBox()->setValue(20);
  EXPECT_EQ(p.roomWidth, 5);  // the room shrank with the map
  EXPECT_FALSE(dialog.RoomWidthBox()->isEnabled());
  const QLabel* hint = dialog.findChild<QLabel*>("SlotHint");
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isHidden());
  dialog.GeneratorBox()->setChecked(true);
  // The first use: every slot names the same tile, and the page says what to choose.
  EXPECT_FALSE(hint->isHidden());
  EXPECT_FALSE(dialog.RoomWidthBox()->isEnabled());  // only for rooms
  dialog.GuidelineBox()->setCurrentIndex(1);
  emit dialog.GuidelineBox()->activated(1);
  EXPECT_TRUE(dialog.RoomWidthBox()->isEnabled());
  EXPECT_EQ(p.generatorStyle, 1);
  // The preview shows the dungeon the seed makes: 20 x 15 cells at 8 pixels.
  EXPECT_EQ(dialog.DungeonPreview()->Board().Width(), 160);
  const uint32_t seed = dialog.Seed();
  dialog.TryAnother();
  EXPECT_NE(dialog.Seed(), seed);
  // OK keeps the values and the seed of the dungeon shown.
  dialog.accept();
  EXPECT_EQ(p.generatorStyle, 1);
  EXPECT_EQ(p.useGenerator, 1);
}
