#include "tessaly/RecoveryOffer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <exception>
#include <map>

#include "tessaly/EditorApplication.h"
#include "tessaly/FormLcfMain.h"
#include "editor/app/ProjectManager.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "core/Version.h"
#include "maps/LD_MapTree.h"
#include "platform/CodePageGuess.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/ProjectNames.h"

namespace tess {

namespace {

QString TimeText(int64_t seconds) { return QDateTime::fromSecsSinceEpoch(seconds).toString("yyyy-MM-dd hh:mm:ss"); }

QString FromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }

TRecoveryAnswer AskWithButtons(const QString& question, QWidget* owner) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle), question, QMessageBox::NoButton,
                  owner);
  box.setObjectName("RecoveryQuestion");
  QPushButton* recover = box.addButton("Recover", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton("Later", QMessageBox::RejectRole);
  // Nothing is lost by the default, nor by Esc.
  box.setDefaultButton(recover);
  box.setEscapeButton(later);
  box.exec();
  if (box.clickedButton() == discard) return TRecoveryAnswer::Discard;
  if (box.clickedButton() == recover) return TRecoveryAnswer::Recover;
  return TRecoveryAnswer::Later;
}

}  // namespace

TRecoveryOffer::TRecoveryOffer(TFormLcfMain& window, TSettings& settings, const std::string& scratchFolder)
    : window_(window), settings_(settings), sets_(CollectLeftWork(scratchFolder)) {
  ask = [this](const QString& question) { return AskWithButtons(question, &window_); };
}

QString TRecoveryOffer::Question(const TLeftWork& set) const {
  // The names as the project shows them: in its kept code page, else the one its names read best in.
  std::map<int32_t, std::string> mapNames;
  std::string title;
  std::string codePage;
  if (!set.projectFolder.empty()) {
    title = ReadGameTitle(set.projectFolder);
    TLcfMapTree tree;
    tree.projectFolder = set.projectFolder;
    try {
      tree.LoadTree();
      for (int i = 0; i < tree.Count(); ++i) mapNames[tree.ItemAt(i)->Id()] = tree.ItemAt(i)->name;
    } catch (const std::exception&) {
      // The tree cannot be read: the maps are named by their numbers only.
    }
    codePage = settings_.ProjectCodePage(set.projectFolder);
    if (codePage.empty()) {
      std::vector<std::string> names{title};
      for (const auto& [id, name] : mapNames) names.push_back(name);
      codePage = GuessCodePage(names).name;
    }
  }
  const TextCodec codec(codePage.empty() ? CandidateCodePages().front().name : codePage);

  QString text = "Tessaly did not close normally. Work that was not saved was kept:\n\n";
  if (set.projectFolder.empty())
    text += "Project: unknown (the work does not say which project it belongs to)\n";
  else
    text += QString("Project: \"%1\" in %2\n")
                .arg(codec.ToUnicode(title), FromPath(StripTrailingSlashes(set.projectFolder)));
  for (const TLeftMap& map : set.maps) {
    QString line = QString("  Map%1").arg(map.mapId, 4, 10, QChar('0'));
    if (auto it = mapNames.find(map.mapId); it != mapNames.end() && !it->second.empty())
      line += QString(" \"%1\"").arg(codec.ToUnicode(it->second));
    text += line + QString(", changed %1\n").arg(TimeText(map.modifiedTime));
  }
  if (!set.databasePath.empty())
    text += QString("  Database, changed %1 (not applied in the database window)\n").arg(TimeText(set.databaseTime));
  text +=
      "\nRecover opens the project with this work as unsaved changes: \"Save Map\" and the database "
      "window's OK or Apply keep it.\nDiscard deletes it. Later keeps it and asks again at the next start.";
  return text;
}

bool TRecoveryOffer::Run() {
  for (TLeftWork& set : sets_) {
    switch (ask(Question(set))) {
      case TRecoveryAnswer::Later:
        break;
      case TRecoveryAnswer::Discard:
        DiscardLeftWork(set);
        break;
      case TRecoveryAnswer::Recover:
        if (Recover(set)) return true;
        break;
    }
  }
  return false;
}

bool TRecoveryOffer::Recover(TLeftWork& set) {
  const std::string folder = StripTrailingSlashes(set.projectFolder);
  if (set.projectFolder.empty() || !IsFolder(folder)) {
    ShowError("The work cannot be recovered: its project folder " +
                  (folder.empty() ? std::string("is not known") : folder + " is not there any more") +
                  ". It stays kept; Discard deletes it.",
              &window_);
    return false;
  }
  TProjectManager& projects = window_.Projects();
  if (projects.IsOpen()) return false;
  // Opened as the Open Project dialog opens a project: its parent is the base folder.
  const QDir parent = QFileInfo(FromPath(folder)).absoluteDir();
  settings_.SetProjectBasePath(WithTrailingBackslash(parent.absolutePath().toStdString()));
  try {
    projects.OpenProject(QFileInfo(FromPath(folder)).fileName().toStdString());
  } catch (...) {
    TEditorApplication::ReportException(std::current_exception());
  }
  if (!window_.Document().IsOpen()) {
    ShowError("The project " + folder + " could not be opened. The work stays kept.", &window_);
    return false;
  }
  const TRecovered recovered = RecoverLeftWork(set, window_.Document());
  window_.UpdateCommandStates();
  if (!recovered.failures.empty()) {
    std::string text = "Some of the work could not be recovered and stays kept for the next start:\n";
    for (const std::string& line : recovered.failures) text += "\n" + line;
    ShowError(text, &window_);
  }
  if (recovered.database) window_.ShowDatabase(true);
  return true;
}

}  // namespace tess
