// quillon-cli roots as scripts call it: the exact lines, their order and the exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct RootsCase {
  const char* name;
  const char* arguments;  // after "quillon-cli roots", as a shell reads them
  const char* output;     // standard output, exactly
  int status;
};

const RootsCase kCases[] = {
    {"ThreeCubeRootsOfOneSortedByXThenY", "'z^3-1' --x -2,2,40 --y -2,2,40",
     "zero -0.5 -0.866025388 1\nzero -0.5 0.866025388 1\nzero 1 0 1\n", 0},
    {"TwoPolesOnTheImaginaryAxis", "'1/(z^2+1)' --x -2,2,40 --y -2,2,40", "pole 0 -1 1\npole 0 1 1\n", 0},
    {"DoubleZeroIsOneLineOfOrderTwo", "'z^2' --x -1,1,10 --y -1,1,10", "zero 0 0 2\n", 0},
    {"ZeroOnAGridLine", "'z-0.25' --x -1,1,4 --y -1,1,4", "zero 0.25 0 1\n", 0},
    {"DefaultRectangle", "'z-1.5i'", "zero 0 1.5 1\n", 0},
    {"NoneIsNotAFailure", "'exp(z)' --x -2,2,20 --y -2,2,20", "", 0},
    {"SyntaxError", "'(z' --x -2,2,20 --y -2,2,20", "", 1},
    {"MalformedRange", "'z' --x -2,2", "", 1},
    {"NoFunction", "--x -2,2,20", "", 1},
};

class RootsCommand : public ::testing::TestWithParam<RootsCase> {};

TEST_P(RootsCommand, PrintsOneLinePerPoint) {
  const RootsCase& c = GetParam();
  const std::string command = std::string("'") + QUILLON_CLI + "' roots " + c.arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 256> buffer{};
  while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
  const int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), c.status);
  EXPECT_EQ(output, c.output);
}

INSTANTIATE_TEST_SUITE_P(Functions, RootsCommand, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
