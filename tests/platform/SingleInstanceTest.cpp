#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdlib>
#include <vector>

#include "platform/SingleInstance.h"

using namespace tess;

namespace {
constexpr char kChildVariable[] = "TESS_SINGLE_INSTANCE_CHILD";
}

// Runs only inside the child process that the test below starts: a second start of the editor.
TEST(SingleInstanceChild, SecondStart) {
  const QByteArray name = qgetenv(kChildVariable);
  if (name.isEmpty()) GTEST_SKIP() << "started by SingleInstance.SecondStartAsksTheFirstToComeForward";
  TSingleInstance second(QString::fromUtf8(name));
  if (qgetenv("TESS_SINGLE_INSTANCE_CRASH") == "1") {
    // An editor that dies while it holds the lock leaves the lock file behind.
    if (!second.Acquire()) std::_Exit(3);
    std::_Exit(0);
  }
  EXPECT_FALSE(second.Acquire(QString::fromUtf8(qgetenv("TESS_SINGLE_INSTANCE_FOLDER"))));
}

TEST(SingleInstance, SecondStartAsksTheFirstToComeForward) {
  const QString name = QString("tess-test-%1").arg(QCoreApplication::applicationPid());
  TSingleInstance first(name);
  ASSERT_TRUE(first.Acquire());
  std::vector<QString> requests;
  QObject::connect(&first, &TSingleInstance::activationRequested,
                   [&](const QString& folder) { requests.push_back(folder); });

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kChildVariable, name);
  child.setProcessEnvironment(env);
  // Without a folder the first one only comes forward; with one it is passed on whole, blanks,
  // line breaks, percent signs and non-ASCII letters included.
  const QString folders[] = {QString(), QString::fromUtf8("/tmp/My Quest %41\n/Caf\u00e9 \u2013 2")};
  for (const QString& folder : folders) {
    env.insert("TESS_SINGLE_INSTANCE_FOLDER", folder);
    child.setProcessEnvironment(env);
    const size_t before = requests.size();
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SingleInstanceChild.SecondStart"});
    ASSERT_TRUE(child.waitForStarted());
    QElapsedTimer timer;
    timer.start();
    while ((requests.size() == before || child.state() != QProcess::NotRunning) && timer.elapsed() < 20000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      child.waitForFinished(10);
    }
    ASSERT_EQ(requests.size(), before + 1);
    EXPECT_EQ(requests.back(), folder);
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
  }
  env.remove("TESS_SINGLE_INSTANCE_FOLDER");

  // A lock left by an editor that died is taken over.
  first.Release();
  const QString crashed = name + "-crashed";
  env.insert("TESS_SINGLE_INSTANCE_CRASH", "1");
  env.insert(kChildVariable, crashed);
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SingleInstanceChild.SecondStart"});
  ASSERT_TRUE(child.waitForFinished(20000));
  ASSERT_EQ(child.exitCode(), 0);
  TSingleInstance survivor(crashed);
  EXPECT_TRUE(survivor.Acquire());

  // Within one process the lock is not shared either; once released, the next start is first.
  TSingleInstance other(name + "-same");
  TSingleInstance again(name + "-same");
  EXPECT_TRUE(other.Acquire());
  EXPECT_FALSE(again.Acquire());
  other.Release();
  EXPECT_TRUE(again.Acquire());
}
