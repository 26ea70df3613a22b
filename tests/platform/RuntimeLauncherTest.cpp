#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/RuntimeLauncher.h"

using namespace tess;

namespace {
void WriteFile(const QString& path, const QByteArray& bytes, bool executable) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
  f.close();
  if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
}
}  // namespace

TEST(RuntimeLauncher, NativeRuntimeGetsTheWordsInTheProjectFolder) {
  QTemporaryDir dir;
  QString runtime = dir.filePath("TESS_RT.exe");
  WriteFile(runtime, "#!/bin/sh\npwd > started.txt\necho \"$@\" >> started.txt\n", true);
  QString why;
  auto plan = RuntimeLauncher::Plan(runtime, {"TestPlay", "HideTitle", "FullScreen"}, dir.path(), "", &why);
  ASSERT_TRUE(plan) << why.toStdString();
  QProcess process;
  ASSERT_TRUE(RuntimeLauncher::Start(process, *plan));
  ASSERT_TRUE(process.waitForFinished(10000));
  QFile out(dir.filePath("started.txt"));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(out.readAll()), QDir(dir.path()).canonicalPath() + "\nTestPlay HideTitle FullScreen\n");
}

TEST(RuntimeLauncher, WindowsRuntimeNeedsALauncher) {
  QTemporaryDir dir;
  QString runtime = dir.filePath("TESS_RT.exe");
  WriteFile(runtime, QByteArray("MZ\x90\x00", 4), false);
  EXPECT_TRUE(RuntimeLauncher::IsWindowsExecutable(runtime));
  auto plan = RuntimeLauncher::Plan(runtime, {"TestPlay"}, dir.path(), "/usr/bin/my-launcher");
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->program, "/usr/bin/my-launcher");
  EXPECT_EQ(plan->arguments, (QStringList{runtime, "TestPlay"}));
  QString why;
  EXPECT_FALSE(RuntimeLauncher::Plan(dir.filePath("missing.exe"), {}, dir.path(), "", &why));
  EXPECT_TRUE(why.contains("missing"));
}

// A runtime that cannot run is refused before anything starts, in plain words with the fix.
TEST(RuntimeLauncher, EmptyOrNotExecutableRuntimesSayWhatToDo) {
  QTemporaryDir dir;
  const struct {
    const char* name;
    QByteArray bytes;
    bool executable;
    const char* says;
  } cases[] = {
      {"empty", QByteArray(), true, "is an empty file"},
      {"plain", "#!/bin/sh\n", false, "chmod +x"},
  };
  for (const auto& c : cases) {
    const QString runtime = dir.filePath(c.name);
    WriteFile(runtime, c.bytes, c.executable);
    QString why;
    EXPECT_FALSE(RuntimeLauncher::Plan(runtime, {"TestPlay"}, dir.path(), "", &why)) << c.name;
    EXPECT_TRUE(why.contains(c.says)) << why.toStdString();
    EXPECT_FALSE(why.contains("Permission denied")) << why.toStdString();
  }
}
