// quillon-cli plot and render's drawing flags as scripts use them: exit codes, messages and the
// picture's size.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#if QUILLON_CLI_RENDERS
namespace {

struct PlotRun {
  int status = -1;
  std::string output;  // standard output and standard error
};

PlotRun RunCli(const std::string& arguments) {
  PlotRun run;
  const std::string command = std::string("'") + QUILLON_CLI + "' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// Width and height from a PNG's header; 0 x 0 when the file is not a PNG.
std::pair<int, int> PngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[24] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h) || h[1] != 'P' || h[2] != 'N' || h[3] != 'G')
    return {0, 0};
  auto be = [&](int at) { return (h[at] << 24) | (h[at + 1] << 16) | (h[at + 2] << 8) | h[at + 3]; };
  return {be(16), be(20)};
}

TEST(CliPlot, ExitCodesMessagesAndPictureSize) {
  const std::string out = (std::filesystem::temp_directory_path() / "quillon_cli_plot_test.png").string();
  struct Case {
    std::string arguments;
    int status;
    const char* message;  // part of the output, or empty
    int width, height;    // of the written picture; 0 when none is expected
  } cases[] = {
      {"plot '1/z' '" + out + "' --size 160x120", 0, "1 point has no value", 160, 120},
      {"plot --size 90x70 --clip -1,1 --box true --labels 3d --view front -- '-z^3' '" + out + "'", 0, "", 90,
       70},
      {"plot 'z' '" + out + "' --map --x -1,1,8 --y -1,1,8 --size 64x48", 0, "", 64, 48},
      {"plot 'z+' '" + out + "'", 1, "does not compile", 0, 0},
      {"plot 'z' '" + out + "' --clip 2,1", 2, "--clip", 0, 0},
      {"plot 'z' '" + out + "' --box round", 2, "--box", 0, 0},
      {"plot 'z' '" + out + "' --labels big", 2, "--labels", 0, 0},
      {"plot 'z' '" + out + "' --x 2,-2,40", 2, "--x", 0, 0},
      {"plot 'z'", 2, "function and an output", 0, 0},
      {"render no-such.zvt '" + out + "' --clip x", 2, "--clip", 0, 0},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(out);
    const PlotRun run = RunCli(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
    if (c.width == 0) {
      EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments;
    } else {
      EXPECT_EQ(PngSize(out), std::make_pair(c.width, c.height)) << c.arguments;
    }
  }
  std::filesystem::remove(out);
}

}  // namespace
#endif  // QUILLON_CLI_RENDERS
