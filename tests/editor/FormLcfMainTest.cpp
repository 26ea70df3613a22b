#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "app/FormLcfMain.h"

using namespace tess;

TEST(FormLcfMain, MinimumSizeModesAndChecks) {
  TFormLcfMain window;
  EXPECT_EQ(window.minimumSize(), QSize(720, 573));
  EXPECT_EQ(window.windowTitle(), "Tessaly ");
  // Without a project only the project commands, Exit and Help are enabled.
  EXPECT_TRUE(window.Action(TMainCommand::NewProject)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::SaveMap)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::TestPlay)->isEnabled());
  EXPECT_EQ(window.Action(TMainCommand::SaveMap)->shortcut(), QKeySequence("Ctrl+S"));
  window.SetEditMode(5);
  EXPECT_EQ(window.EditMode(), 0);
  EXPECT_TRUE(window.Action(TMainCommand::ModeLower)->isChecked());
  window.Execute(TMainCommand::Zoom4);
  EXPECT_EQ(window.Zoom(), 2);
  EXPECT_FALSE(window.Action(TMainCommand::Zoom1)->isChecked());
  window.Execute(TMainCommand::ToolFill);
  EXPECT_EQ(window.Tool(), 5);
  EXPECT_FALSE(window.Action(TMainCommand::ToolPen)->isChecked());
}
