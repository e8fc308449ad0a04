// quillon-cli render with --colouring, --contours and --legend: the words it takes, the
// message and exit status for others, and that each option changes the picture it should.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

// Only a build that renders has the command.
#if QUILLON_CLI_RENDERS
namespace {

struct RenderRun {
  int status = -1;
  std::string output;
};

RenderRun Render(const std::string& options, const std::string& picture) {
  RenderRun run;
  const std::string command = std::string("'") + QUILLON_CLI + "' render '" +
                              QUILLON_SOURCE_DIR_PATH "/examples" + "/colormap_sin.zvt' '" + picture +
                              "' --size 200x200 --fit " + options + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Bytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Picture(const std::string& options) {
  const std::string file = testing::TempDir() + "quillon_colouring.bmp";
  std::remove(file.c_str());
  const RenderRun run = Render(options, file);
  EXPECT_EQ(run.status, 0) << options << ": " << run.output;
  return Bytes(file);
}

TEST(CliRenderColouring, RefusesWordsItDoesNotKnow) {
  struct Case {
    const char* options;
    const char* message;
  };
  const Case cases[] = {
      {"--colouring hue", "--colouring wants channels, phase, enhanced or modulus"},
      {"--contours all", "--contours wants none, modulus, phase or both"},
      {"--legend yes", "--legend wants on or off"},
      {"--legend", "--legend wants on or off"},
  };
  for (const Case& c : cases) {
    const RenderRun run = Render(c.options, testing::TempDir() + "never.png");
    EXPECT_EQ(run.status, 2) << c.options;
    EXPECT_NE(run.output.find(std::string("render: ") + c.message), std::string::npos) << run.output;
  }
}

TEST(CliRenderColouring, EachOptionChangesWhatItShould) {
  // Pictures are compared whole (not printed). The example is coloured by channels and has no block: the
  // options alone change it.
  const std::string plain = Picture("");
  ASSERT_FALSE(plain.empty());
  EXPECT_TRUE(Picture("--colouring channels --contours none --legend off") == plain);
  EXPECT_TRUE(Picture("--legend on") == plain);  // nothing is coloured from w: no legend
  const std::string phase = Picture("--colouring phase");
  EXPECT_TRUE(phase != plain);
  for (const char* other :
       {"--colouring enhanced", "--colouring modulus", "--colouring phase --contours modulus",
        "--colouring phase --contours phase", "--colouring phase --legend on"})
    EXPECT_TRUE(Picture(other) != phase) << other;
}

}  // namespace
#endif  // QUILLON_CLI_RENDERS
