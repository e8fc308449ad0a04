// quillon-cli sample as scripts use it: the summary's count of points without a value, "nan"
// in the CSV there, and the old run-time error exit with --stop-at-error.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
  int status = -1;
  std::vector<std::string> lines;  // standard output and standard error, in order
};

CliRun Sample(const std::string& arguments) {
  CliRun run;
  const std::string command = std::string("'") + QUILLON_CLI + "' sample " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::string text;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) run.lines.push_back(line);
  return run;
}

TEST(CliSample, SummaryCountsThePointsWithoutAValueInLineWithTheOtherLines) {
  struct Case {
    const char* function;
    int steps;
    const char* holes;
  };
  const Case cases[] = {
      {"1/z", 40, "holes      1"}, {"1/z", 41, "holes      0"}, {"1/(z^2+1)", 40, "holes      2"}};
  for (const Case& c : cases) {
    const std::string axis = "-2,2," + std::to_string(c.steps);
    const CliRun run =
        Sample(std::string("'") + c.function + "' --x " + axis + " --y " + axis + " --summary");
    ASSERT_EQ(run.status, 0) << c.function;
    ASSERT_GE(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0].rfind("points     ", 0), 0u);
    EXPECT_EQ(run.lines[1], c.holes) << c.function << " " << c.steps;
    // Every line's value starts in the same column.
    for (const std::string& line : run.lines) {
      ASSERT_GT(line.size(), 11u) << line;
      EXPECT_NE(line[11], ' ') << line;
      EXPECT_EQ(line[10], ' ') << line;
    }
  }
}

TEST(CliSample, CsvPrintsNanWhereThereIsNoValue) {
  const CliRun run = Sample("'1/z' --x -2,2,4 --y -2,2,4 --csv");
  ASSERT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 1u + 25u);
  int nans = 0;
  for (const std::string& line : run.lines) nans += line.find("nan") != std::string::npos;
  EXPECT_EQ(nans, 1);
  EXPECT_EQ(run.lines[1 + 12], "0,0,nan,nan,nan");
  EXPECT_EQ(run.lines[1 + 13], "0,1,0,-1,1");
}

TEST(CliSample, StopAtErrorGivesTheRunTimeErrorExit) {
  const CliRun stopped = Sample("'1/z' --x -2,2,40 --y -2,2,40 --stop-at-error");
  EXPECT_EQ(stopped.status, 2);
  ASSERT_FALSE(stopped.lines.empty());
  EXPECT_NE(stopped.lines[0].find("Division by zero"), std::string::npos) << stopped.lines[0];
  EXPECT_NE(stopped.lines[0].find("x = 0, y = 0"), std::string::npos) << stopped.lines[0];
  // Without a point to stop at, the option changes nothing.
  const CliRun clear = Sample("'1/z' --x -2,2,41 --y -2,2,41 --stop-at-error --summary");
  EXPECT_EQ(clear.status, 0);
}

}  // namespace
