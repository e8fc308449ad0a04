// Surface meshes: two triangles a defined cell, holes, clean cuts at a height interval, and
// the three files read back by readers written from the formats' definitions.

#include "export/surface_mesh.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <vector>

#include "export/mesh_file.h"
#include "export/tests/mesh_readers.h"

namespace quillon {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A grid over k = 0..stepU (scene x), j = 0..stepV (scene z) with height y = h(k, j).
struct TestGrid {
  std::vector<float> x, y, z, rgb;
  SurfaceGrid grid;
  TestGrid(int32_t stepU, int32_t stepV, float (*h)(int32_t, int32_t)) {
    for (int32_t k = 0; k <= stepU; ++k)
      for (int32_t j = 0; j <= stepV; ++j) {
        x.push_back(float(k));
        y.push_back(h(k, j));
        z.push_back(float(j));
        rgb.insert(rgb.end(), {k / float(stepU), j / float(stepV), 0.5f});
      }
    grid = {stepU, stepV, x.data(), y.data(), z.data(), rgb.data()};
  }
  void Undefine(int32_t k, int32_t j, std::vector<float>& table, float value = kNaN) {
    table[size_t(k) * size_t(grid.stepV + 1) + size_t(j)] = value;
  }
};

float Ramp(int32_t k, int32_t) {
  return float(k);
}
float Diagonal(int32_t k, int32_t j) {
  return float(k + j);
}

double ProjectedArea(const TriangleMesh& m) {  // area seen along y, in the x-z plane
  double area = 0;
  for (size_t t = 0; t < m.TriangleCount(); ++t) {
    const float* a = &m.positions[3 * m.triangles[3 * t]];
    const float* b = &m.positions[3 * m.triangles[3 * t + 1]];
    const float* c = &m.positions[3 * m.triangles[3 * t + 2]];
    area += 0.5 * std::abs((b[0] - a[0]) * (c[2] - a[2]) - (c[0] - a[0]) * (b[2] - a[2]));
  }
  return area;
}

TEST(SurfaceMeshTest, TwoTrianglesACellAndNoneForACellTouchingAHole) {
  struct Case {
    const char* what;
    std::vector<std::pair<int32_t, int32_t>> holes;
    size_t cellsLost;
  } cases[] = {{"no hole", {}, 0},
               {"corner", {{0, 0}}, 1},
               {"edge", {{2, 0}}, 2},
               {"inside", {{2, 1}}, 4},
               {"two apart", {{1, 1}, {3, 2}}, 8},
               {"neighbours", {{1, 1}, {2, 1}}, 6}};
  for (const Case& c : cases) {
    TestGrid g(4, 3, Diagonal);
    for (auto [k, j] : c.holes) g.Undefine(k, j, c.holes.size() == 2 ? g.z : g.y);
    TriangleMesh mesh;
    EXPECT_EQ(AppendSurfaceMesh(g.grid, std::nullopt, "s", {}, mesh), 2 * (12 - c.cellsLost)) << c.what;
    for (float v : mesh.positions) EXPECT_TRUE(std::isfinite(v)) << c.what;
  }
  TestGrid infinite(2, 2, Ramp);
  infinite.Undefine(1, 1, infinite.x, std::numeric_limits<float>::infinity());
  TriangleMesh mesh;
  EXPECT_EQ(AppendSurfaceMesh(infinite.grid, std::nullopt, "s", {}, mesh), 0u);
}

TEST(SurfaceMeshTest, CutsCleanlyAtTheHeightInterval) {
  struct Case {
    const char* what;
    float (*h)(int32_t, int32_t);
    HeightInterval keep;
    double area;      // of what is kept, seen from above
    size_t vertices;  // 0: not checked
  } cases[] = {
      // Kept x in [0.5, 2.5]: 8 grid vertices, 7 cuts on each plane shared by both neighbours.
      {"ramp", Ramp, {1, 0.5f, 2.5f}, 2.0 * 3.0, 22},
      {"ends given the wrong way round", Ramp, {1, 2.5f, 0.5f}, 6.0, 22},
      {"diagonal", Diagonal, {1, 0.5f, 2.5f}, 2.5 * 2.5 / 2 - 0.5 * 0.5 / 2, 0},
      {"everything kept", Diagonal, {1, -1.0f, 100.0f}, 12.0, 20},
      {"nothing kept", Ramp, {1, 10.0f, 20.0f}, 0.0, 0},
      {"on the scene x axis", Ramp, {0, 1.0f, 3.0f}, 6.0, 12},
  };
  for (const Case& c : cases) {
    TestGrid g(4, 3, c.h);
    TriangleMesh mesh;
    AppendSurfaceMesh(g.grid, c.keep, "s", {}, mesh);
    EXPECT_NEAR(ProjectedArea(mesh), c.area, 1e-5) << c.what;
    if (c.vertices) {
      EXPECT_EQ(mesh.VertexCount(), c.vertices) << c.what;
    }
    const float low = std::min(c.keep.min, c.keep.max), high = std::max(c.keep.min, c.keep.max);
    for (size_t v = 0; v < mesh.VertexCount(); ++v) {
      const float h = mesh.positions[3 * v + size_t(c.keep.axis)];
      EXPECT_TRUE(h >= low && h <= high) << c.what << ": " << h;
    }
  }
}

TEST(SurfaceMeshTest, CutVerticesTakeTheColourWhereTheEdgeMeetsThePlane) {
  TestGrid g(1, 1, Ramp);  // red 0 at k = 0, 1 at k = 1; height = k
  TriangleMesh mesh;
  AppendSurfaceMesh(g.grid, HeightInterval{1, 0.0f, 0.25f}, "s", {}, mesh);
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    const float h = mesh.positions[3 * v + 1];
    EXPECT_EQ(mesh.colors[3 * v], std::lround(h * 255)) << h;
  }
}

class MeshFileTest : public ::testing::Test {
 protected:
  std::filesystem::path dir_ =
      std::filesystem::temp_directory_path() / ("quillon_mesh_" + std::to_string(::getpid()));
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
};

TEST_F(MeshFileTest, EachFormatReadsBackWithItsTrianglesExtentAndColours) {
  TestGrid g(4, 3, Diagonal);
  g.Undefine(2, 1, g.y);
  TriangleMesh mesh;
  AppendSurfaceMesh(g.grid, std::nullopt, "f", {}, mesh);
  ASSERT_EQ(mesh.TriangleCount(), 16u);
  const std::array<float, 6> extent{0, 0, 0, 4, 7, 3};
  for (const char* name : {"m.stl", "m.OBJ", "m.ply"}) {
    const std::string path = (dir_ / name).string();
    std::string error;
    ASSERT_TRUE(WriteMeshFile(path, mesh, error)) << error;
    const std::string ext = std::filesystem::path(name).extension().string();
    const test::ReadMesh back = ext == ".stl"   ? test::ReadStl(path)
                                : ext == ".ply" ? test::ReadPly(path)
                                                : test::ReadObj(path);
    ASSERT_EQ(back.error, "") << name;
    EXPECT_EQ(back.faces.size(), 16u) << name;
    EXPECT_EQ(back.Extent(), extent) << name;
    if (ext == ".stl") continue;
    ASSERT_EQ(back.colors.size(), back.vertices.size()) << name;
    for (size_t v = 0; v < back.vertices.size(); ++v)  // red = k / 4
      EXPECT_EQ(back.colors[v][0], std::lround(back.vertices[v][0] / 4 * 255)) << name;
    for (const auto& f : back.faces)
      for (uint32_t i : f) EXPECT_LT(i, back.vertices.size()) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(dir_ / "m.mtl"));
  EXPECT_NE(test::Slurp((dir_ / "m.OBJ").string()).find("mtllib m.mtl"), std::string::npos);
  EXPECT_NE(test::Slurp((dir_ / "m.mtl").string()).find("newmtl surface1"), std::string::npos);
}

TEST_F(MeshFileTest, FailuresNameTheFileAndTheReasonAndLeaveNoFile) {
  TriangleMesh mesh;
  std::string error;
  EXPECT_FALSE(WriteMeshFile((dir_ / "m.gltf").string(), mesh, error));
  EXPECT_NE(error.find("unknown extension"), std::string::npos) << error;
  const std::string missing = (dir_ / "no" / "such" / "m.stl").string();
  EXPECT_FALSE(WriteMeshFile(missing, mesh, error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

}  // namespace
}  // namespace quillon
