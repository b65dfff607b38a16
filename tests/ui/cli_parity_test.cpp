// The desktop program is the batch command with windows: for the same disc,
// settings and date, a TXT File run writes the same FileList.txt bytes as
// cartulon-cli, and a TXT + CSV run the same DriverInformation.csv.
#include <gtest/gtest.h>

#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "gui_test_support.h"
#include "ui/select_scd.h"

namespace cartulon {
namespace {

using gui_test::ReadFile;
using gui_test::ScriptedDialogs;
using gui_test::TestDisc;

#ifdef CARTULON_CLI

// Runs the batch command on a disc; returns its exit code.
int RunBatch(const TestDisc& disc, const QStringList& extra) {
  QProcess cli;
  QStringList arguments{QString::fromStdString(disc.Root()), QStringLiteral("--date"),
                        QStringLiteral("3/1/2024")};
  arguments << extra;
  cli.start(QStringLiteral(CARTULON_CLI), arguments);
  if (!cli.waitForFinished(60000)) return -1;
  return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
}

class CliParity : public ::testing::Test {
 protected:
  void SetUp() override {
    if (gui_test::SampleDiscPath().empty()) GTEST_SKIP() << "the sample disc is missing";
  }
};

TEST_F(CliParity, TxtFileRunWritesTheSameBytes) {
  TestDisc program;
  TestDisc batch;
  ScriptedDialogs dialogs;
  auto run = gui_test::RunProgramOn(program, dialogs, [](SCDSelector& d) {
    QTest::mouseClick(d.btnGen(), Qt::LeftButton);
  });
  ASSERT_EQ(run->exitCode, 0);
  ASSERT_EQ(RunBatch(batch, {}), 0);
  const std::string fromProgram = ReadFile(program.InRoot("FileList.txt"));
  ASSERT_FALSE(fromProgram.empty());
  EXPECT_EQ(fromProgram, ReadFile(batch.InRoot("FileList.txt")));
}

TEST_F(CliParity, TxtAndCsvRunWritesTheSameTable) {
  TestDisc program;
  TestDisc batch;
  ScriptedDialogs dialogs;
  auto run = gui_test::RunProgramOn(program, dialogs, [](SCDSelector& d) {
    QTest::mouseClick(d.btnxls(), Qt::LeftButton);
  });
  ASSERT_EQ(run->exitCode, 0);
  ASSERT_EQ(RunBatch(batch, {QStringLiteral("--csv")}), 0);
  EXPECT_EQ(ReadFile(program.InRoot("FileList.txt")), ReadFile(batch.InRoot("FileList.txt")));
  const std::string table = ReadFile(program.InRoot("DriverInformation.csv"));
  ASSERT_FALSE(table.empty());
  EXPECT_EQ(table, ReadFile(batch.InRoot("DriverInformation.csv")));
}

#endif

}  // namespace
}  // namespace cartulon
