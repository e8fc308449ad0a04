// A hostile document (many 4001 x 4001 graphs) read and drawn under an address-space limit:
// the command line ends normally, leaves out what does not fit and says so.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/program_state.h"
#include "document/document_writer.h"
#include "document/scene_document.h"

namespace quillon {
namespace {

// Limit for `ulimit -v`, in KB: room for the program and a few of the graphs, not all of them.
constexpr const char* kLimitKb = "2500000";

struct LimitedRun {
  int status = -1;
  std::string output;
};

LimitedRun Limited(const std::string& arguments) {
  const std::string command = std::string("sh -c \"ulimit -v ") + kLimitKb + " && exec '" + QUILLON_CLI +
                              "' " + arguments + "\" 2>&1";
  LimitedRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

std::string HostileDocument(int32_t bigGraphs, int32_t steps) {
  SceneDocument source;
  source.Axes.SetDefault();
  for (int32_t id = 1; id <= bigGraphs + 1; ++id) {
    auto g = std::make_shared<Cls9>();
    g->ID = id;
    g->GraphType = 2;
    g->CoordType = 3;
    g->FunForm = 2;
    g->ExpressZ = id <= bigGraphs ? "z^2+1" : "z";
    g->StepU = g->StepV = id <= bigGraphs ? steps : 4;
    g->MinU = g->MinV = -2;
    g->MaxU = g->MaxV = 2;
    g->Show = 3;
    g->VarX = 1;
    g->VarY = 3;
    g->VarZ = 2;
    source.DrawScene.Add(g, std::to_string(id));
  }
  State().SceneKind = 3;
  const std::string path =
      (std::filesystem::temp_directory_path() / ("quillon_hostile_" + std::to_string(steps) + ".zvt"))
          .string();
  std::ofstream(path, std::ios::binary) << EncodeDocument(BuildDocumentText(source)).bytes;
  return path;
}

TEST(CliMemory, AHostileDocumentLoadsWhatFitsAndReportsTheRest) {
  if (Limited("--help").status != 0) GTEST_SKIP() << "the program does not start under ulimit -v (sanitizer)";
  const std::string path = HostileDocument(10, 4000);
  const LimitedRun info = Limited("info '" + path + "'");
  EXPECT_EQ(info.status, 0) << info.output;
  const size_t leftOut = Count(info.output, "a grid of 4001 x 4001 points needs");
  EXPECT_GE(leftOut, 5u) << info.output;
  EXPECT_LE(leftOut, 10u) << info.output;
  EXPECT_EQ(Count(info.output, "left out"), leftOut) << info.output;
  EXPECT_EQ(Count(info.output, "out of memory"), 0u) << info.output;  // refused before allocating

#if QUILLON_CLI_RENDERS
  // Drawing: the same document, smaller graphs so that drawing the ones that fit stays quick.
  const std::string drawn = HostileDocument(10, 1500);
  const std::string png = drawn + ".png";
  std::filesystem::remove(png);
  const LimitedRun render = Limited("render '" + drawn + "' '" + png + "' --size 64x64");
  EXPECT_EQ(render.status, 0) << render.output;
  EXPECT_TRUE(std::filesystem::exists(png)) << render.output;
  EXPECT_GE(Count(render.output, "left out"), 1u) << render.output;
  std::filesystem::remove(drawn);
  std::filesystem::remove(png);
#endif
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace quillon
