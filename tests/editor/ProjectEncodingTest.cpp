#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "MainWindowFixture.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "database/DataBaseObj.h"
#include "editor/app/FormTextEncoding.h"
#include "editor/app/ProjectManager.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEntryListPage.h"
#include "maps/LD_MapTree.h"
#include "platform/CodePageGuess.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/ProjectNames.h"
#include "tessaly/FormLcfMain.h"
#include "ui/StoredTextField.h"

using namespace tess;

namespace {

struct TNames {
  const char* codePage;
  const char* title;  // the map tree's root
  const char* map;
  std::vector<const char*> heroes;
};

// Projects made by other editors in three code pages: the names are stored as those bytes.
const TNames kProjects[] = {
    {"Shift_JIS", "はじまりの村", "村の宿屋", {"勇者アルス", "魔法使いリナ", "戦士ガイ"}},
    {"GBK", "开始的村庄", "村庄旅馆", {"勇者阿尔斯", "魔法师莉娜", "战士盖伊"}},
    {"windows-1252", "Château", "Forêt de Brocéliande", {"Renée", "Björn", "Señora Núñez"}},
};

struct ProjectEncoding : test::TMainWindowFixture {
  void TearDown() override {
    TMainWindowFixture::TearDown();
    TextCodec::SetCurrent("windows-1252");
  }
  // The sample project with its names in the code page of names.
  void Make(const TNames& names) {
    project.Make();
    const TextCodec codec(names.codePage);
    auto stored = [&](const char* text) { return codec.FromUnicode(QString::fromUtf8(text)); };
    TLcfDataBase database;
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
    for (size_t i = 0; i < names.heroes.size(); ++i)
      database.heroes.Obtain(int32_t(i + 1))->name = stored(names.heroes[i]);
    database.SaveToFile(project.Folder() + "TESS_RT.ldb");
    TLcfMapTree tree;
    tree.projectFolder = project.Folder();
    tree.LoadTree();
    tree.FindById(0)->name = stored(names.title);
    tree.FindById(1)->name = stored(names.map);
    WriteFileAtomic(project.Folder() + "TESS_RT.lmt", tree.SaveToBytes());
    // The root shows the game's title, which the project keeps in its profile.
    WriteGameTitle(project.Folder(), stored(names.title));
  }
  static QStringList TreeTexts(TFormLcfMain& window) {
    QStringList texts;
    auto* tree = window.findChild<QTreeWidget*>("MapTreePane");
    for (QTreeWidgetItemIterator it(tree); *it; ++it) texts << (*it)->text(0);
    return texts;
  }
};

}  // namespace

// Opened the first time, a project's names are shown in the code page they read best in, the
// author is told which, and the choice is kept; the stored bytes go back unchanged.
TEST_F(ProjectEncoding, TheGuessShowsTheNamesAndTheyAreSavedBackByteForByte) {
  for (const TNames& names : kProjects) {
    SCOPED_TRACE(names.codePage);
    project.name = std::string("Game-") + names.codePage;
    Make(names);
    const Bytes treeBytes = ReadWholeFile(project.Folder() + "TESS_RT.lmt");
    const Bytes databaseBytes = ReadWholeFile(project.Folder() + "TESS_RT.ldb");
    messages.shown.clear();

    auto window = OpenWindow();
    ASSERT_TRUE(window->Document().IsOpen());
    EXPECT_EQ(TextCodec::Current().Name(), names.codePage);
    EXPECT_EQ(settings.ProjectCodePage(project.Folder()), names.codePage);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(CodePageCaption(names.codePage)), std::string::npos)
        << messages.shown[0].text;
    EXPECT_EQ(TreeTexts(*window), (QStringList{QString::fromUtf8(names.title), QString::fromUtf8(names.map)}));

    {
      TFormDataBase database(window->Document().DataBase(), window->Document().MapTree(), window->Document().Map(),
                             project.Folder(), home.path().toStdString() + "/", nullptr);
      database.SelectTab(0);
      auto* page = dynamic_cast<TFormEntryListPage*>(database.Page());
      ASSERT_NE(page, nullptr);
      for (size_t i = 0; i < names.heroes.size(); ++i)
        EXPECT_EQ(page->List()->item(int(i))->text(),
                  QString("%1:").arg(i + 1, 4, 10, QChar('0')) + QString::fromUtf8(names.heroes[i]));
      ASSERT_TRUE(database.Apply());
      database.reject();
    }
    ASSERT_TRUE(window->Document().CloseQuery());
    window->Projects().CloseProject();
    EXPECT_EQ(ReadWholeFile(project.Folder() + "TESS_RT.lmt"), treeBytes);
    // The database as the models save what was loaded (a save counts itself in the file).
    TLcfDataBase loaded;
    loaded.LoadFromMemory(databaseBytes);
    EXPECT_EQ(ReadWholeFile(project.Folder() + "TESS_RT.ldb"), loaded.SaveToMemory());
    ASSERT_TRUE(loaded.LoadDatabase(project.Folder()));
    for (size_t i = 0; i < names.heroes.size(); ++i)
      EXPECT_EQ(loaded.heroes.ItemAt(int(i))->name,
                TextCodec(names.codePage).FromUnicode(QString::fromUtf8(names.heroes[i])));
    window.reset();

    // The next opening takes the kept code page without a word, even when another is current.
    TextCodec::SetCurrent("windows-1251");
    messages.shown.clear();
    window = OpenWindow();
    EXPECT_EQ(TextCodec::Current().Name(), names.codePage);
    EXPECT_TRUE(messages.shown.empty());
    window.reset();
  }
}

// Project > Text Encoding: the author's choice is shown at once and kept for the project.
TEST_F(ProjectEncoding, TheAuthorsChoiceIsKept) {
  Make(kProjects[0]);
  auto window = OpenWindow();
  ASSERT_EQ(TextCodec::Current().Name(), "Shift_JIS");

  const std::string hero = TextCodec("Shift_JIS").FromUnicode(QString::fromUtf8("勇者"));
  TFormTextEncoding dialog({hero, std::string("Hero")}, "Shift_JIS", nullptr);
  EXPECT_EQ(dialog.CodePage(), "Shift_JIS");
  // Every candidate shows how it reads the names outside ASCII.
  for (int i = 0; i < dialog.Candidates()->count(); ++i) {
    const QListWidgetItem* item = dialog.Candidates()->item(i);
    const TextCodec codec(item->data(Qt::UserRole).toString().toStdString());
    EXPECT_TRUE(item->text().endsWith(":  " + codec.ToUnicode(hero))) << item->text().toStdString();
  }
  ASSERT_EQ(dialog.Preview()->count(), 2);
  EXPECT_EQ(dialog.Preview()->item(0)->text(), QString::fromUtf8("勇者"));  // names outside ASCII first
  dialog.SelectCodePage("windows-1252");
  EXPECT_EQ(dialog.CodePage(), "windows-1252");
  EXPECT_NE(dialog.Preview()->item(0)->text(), QString::fromUtf8("勇者"));

  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<TFormTextEncoding*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    shown->SelectCodePage("GBK");
    shown->accept();
  });
  window->Execute(TMainCommand::TextEncoding);
  EXPECT_EQ(TextCodec::Current().Name(), "GBK");
  EXPECT_EQ(settings.ProjectCodePage(project.Folder()), "GBK");
  // The tree shows the bytes as GBK reads them now.
  const TextCodec gbk("GBK");
  EXPECT_EQ(TreeTexts(*window).at(1), gbk.ToUnicode(TextCodec("Shift_JIS").FromUnicode(QString::fromUtf8("村の宿屋"))));
}

// A field of stored text takes only what the project's code page can hold.
TEST_F(ProjectEncoding, FieldsRefuseCharactersTheCodePageLacks) {
  TextCodec::SetCurrent("Shift_JIS");
  QLineEdit field;
  GuardStoredText(&field);
  field.show();
  field.insert(QString::fromUtf8("勇者"));
  EXPECT_EQ(field.text(), QString::fromUtf8("勇者"));
  field.insert(QString::fromUtf8("€"));
  EXPECT_EQ(field.text(), QString::fromUtf8("勇者"));
  EXPECT_NE(field.toolTip().indexOf(QString::fromUtf8("\"€\" cannot be stored")), -1) << field.toolTip().toStdString();
  EXPECT_NE(field.toolTip().indexOf("Japanese (Shift_JIS)"), -1);

  TextCodec::SetCurrent("windows-1252");
  field.clear();
  field.insert(QString::fromUtf8("Renée"));
  EXPECT_EQ(field.text(), QString::fromUtf8("Renée"));
  field.insert(QString::fromUtf8("勇"));
  EXPECT_EQ(field.text(), QString::fromUtf8("Renée"));
}
