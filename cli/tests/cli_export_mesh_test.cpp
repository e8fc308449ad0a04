// quillon-cli export-mesh as scripts use it: two triangles a cell and none beside a point
// without a value, each format's file, and every failure as exit 1 naming the file and why.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#if QUILLON_CLI_RENDERS

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string text;  // standard output and standard error
};

CliRun ExportMesh(const std::string& arguments) {
  CliRun run;
  const std::string command = std::string("'") + QUILLON_CLI + "' export-mesh " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.text.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class CliExportMesh : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_);
    // The bundled 1/(z^2+1) on 40 x 40 cells instead of 41 x 41: the grid meets its poles at
    // i and -i, two points without a value (the text keeps its length, so the header holds).
    std::ifstream in(fs::path(QUILLON_SOURCE_DIR_PATH) / "examples" / "magnitude_reciprocal.zvt",
                     std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t steps = text.find(" 41 41 ");
    ASSERT_NE(steps, std::string::npos);
    text.replace(steps, 7, " 40 40 ");
    std::ofstream(poles_, std::ios::binary) << text;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Out(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_ = fs::temp_directory_path() / ("quillon_cli_mesh_" + std::to_string(::getpid()));
  std::string poles_ = (dir_ / "poles.zvt").string();
};

TEST_F(CliExportMesh, WritesTwoTrianglesACellAndNoneBesideAPole) {
  for (const char* name : {"m.stl", "m.obj", "m.ply"}) {
    const CliRun run = ExportMesh(poles_ + " " + Out(name));
    ASSERT_EQ(run.status, 0) << run.text;
    // Each pole takes the four cells around it.
    EXPECT_EQ(run.text.rfind(Out(name) + ": " + std::to_string(2 * (1600 - 8)) + " triangles", 0), 0u)
        << run.text;
  }
  EXPECT_EQ(fs::file_size(Out("m.stl")), 84u + 50u * 3184u);
  EXPECT_TRUE(fs::exists(Out("m.mtl")));
  const CliRun clipped = ExportMesh(poles_ + " " + Out("c.stl") + " --clip 0.2,0.5");
  ASSERT_EQ(clipped.status, 0) << clipped.text;
  EXPECT_EQ(clipped.text.find(" 3184 triangles"), std::string::npos) << clipped.text;
}

TEST_F(CliExportMesh, FailuresExitOneNamingTheFileAndTheReason) {
  std::ofstream(Out("empty.zvt")).flush();
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {poles_ + " " + Out("m.gltf"), 1, Out("m.gltf") + ": unknown extension"},
      {poles_ + " " + Out("no/m.stl"), 1, Out("no/m.stl") + " cannot be written"},
      {Out("none.zvt") + " " + Out("m.stl"), 1, Out("none.zvt") + ": "},
      {Out("empty.zvt") + " " + Out("m.stl"), 1, Out("empty.zvt") + ": "},
      {poles_ + " " + Out("m.stl") + " --clip 2,1", 2, "--clip wants"},
  };
  for (const auto& c : cases) {
    const CliRun run = ExportMesh(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.text;
    EXPECT_NE(run.text.find(c.message), std::string::npos) << c.arguments << "\n" << run.text;
  }
  EXPECT_FALSE(fs::exists(Out("m.stl")));
}

}  // namespace

#endif  // QUILLON_CLI_RENDERS
