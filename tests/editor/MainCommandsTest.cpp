#include <gtest/gtest.h>

#include <set>

#include "tessaly/MainCommands.h"

using namespace tess;

TEST(MainCommands, EnablingTable) {
  const TMainState none{};
  const TMainState open{true, false, false, true};
  const TMainState modified{true, true, true, false};
  struct Row {
    TMainCommand command;
    bool withoutProject, withProject, withModifiedMaps;
  } rows[] = {
      {TMainCommand::NewProject, true, false, false},  {TMainCommand::OpenProject, true, false, false},
      {TMainCommand::CloseProject, false, true, true}, {TMainCommand::SaveMap, false, false, true},
      {TMainCommand::RevertMap, false, false, true},   {TMainCommand::ModeEvent, false, true, true},
      {TMainCommand::TestPlay, false, true, true},     {TMainCommand::Exit, true, true, true},
      {TMainCommand::About, true, true, true},         {TMainCommand::Undo, false, false, true},
      {TMainCommand::ToolPen, false, true, false},  // event mode: no tile tools
      {TMainCommand::Redo, false, false, false},       {TMainCommand::ShowGrid, true, true, true},
  };
  for (const Row& row : rows) {
    const TMainCommandInfo& info = CommandInfo(row.command);
    SCOPED_TRACE(info.caption);
    EXPECT_EQ(IsEnabled(info.rule, none), row.withoutProject);
    EXPECT_EQ(IsEnabled(info.rule, open), row.withProject);
    EXPECT_EQ(IsEnabled(info.rule, modified), row.withModifiedMaps);
  }
  // Redo follows what was undone, and only while a project is open.
  TMainState undone = modified;
  undone.canRedo = true;
  EXPECT_TRUE(IsEnabled(CommandInfo(TMainCommand::Redo).rule, undone));
  undone.projectOpen = false;
  EXPECT_FALSE(IsEnabled(CommandInfo(TMainCommand::Redo).rule, undone));
}

TEST(MainCommands, ShortcutsAreUniqueAndCaptionsExact) {
  std::set<std::string> shortcuts;
  for (const TMainCommandInfo& info : MainCommands()) {
    if (*info.shortcut) {
      EXPECT_TRUE(shortcuts.insert(info.shortcut).second) << info.shortcut;
    }
  }
  EXPECT_STREQ(CommandInfo(TMainCommand::SaveMap).shortcut, "Ctrl+S");
  EXPECT_STREQ(CommandInfo(TMainCommand::TestPlay).shortcut, "F9");
  EXPECT_STREQ(CommandInfo(TMainCommand::RevertMap).caption, "Revert to Last Save");
}

TEST(MainCommands, SettingsOutOfRangeSelectTheFirstChoice) {
  EXPECT_EQ(ModeFromSetting(5), TEditMode::Lower);
  EXPECT_EQ(ModeFromSetting(-1), TEditMode::Lower);
  EXPECT_EQ(ModeFromSetting(2), TEditMode::Event);
  EXPECT_EQ(ZoomFromSetting(4), TZoom::Full);
  EXPECT_EQ(CellPixels(ZoomFromSetting(3)), 4);
  EXPECT_EQ(CellPixels(ZoomFromSetting(9)), 32);
  EXPECT_STREQ(ModeStatusText(TEditMode::Event), "Event Editing Mode");
}

TEST(MainCommands, EveryCommandThatCanBeEnabledHasAHandler) {
  std::set<std::string> names;
  for (const TMainCommandInfo& info : MainCommands()) {
    SCOPED_TRACE(info.caption);
    EXPECT_TRUE(names.insert(info.name).second) << "two commands share the settings name " << info.name;
    if (info.rule != TEnableRule::Never) {
      EXPECT_NE(info.handler, nullptr);
    }
    // A command on the tool bar needs something to show there.
    if (info.toolBarGroup > 0) {
      EXPECT_NE(info.icon, TIconShape::None);
    }
    // A command that is neither in a menu nor on the tool bar could never be reached.
    EXPECT_TRUE(*info.menu || info.toolBarGroup > 0);
  }
}

TEST(MainCommands, ModeZoomAndToolCommandsInTheOrderOfTheirValues) {
  EXPECT_EQ(ModeCommand(TEditMode::Upper), TMainCommand::ModeUpper);
  EXPECT_EQ(ZoomCommand(TZoom::Eighth), TMainCommand::Zoom8);
  EXPECT_EQ(ToolCommand(TEditTool::FloodFill), TMainCommand::ToolFill);
  EXPECT_EQ(ToolCommand(static_cast<TEditTool>(9)), TMainCommand::ToolPen);
}

TEST(MainCommands, TestPlayWords) {
  EXPECT_EQ(TestPlayWords(false, true), (std::vector<std::string>{"TestPlay", "HideTitle", "FullScreen"}));
  EXPECT_EQ(TestPlayWords(true, false), (std::vector<std::string>{"TestPlay", "ShowTitle", "Window"}));
}
