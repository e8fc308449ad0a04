#include "graph/graph.h"

#include <gtest/gtest.h>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "graph/codes.h"

namespace quillon {
namespace {

class GraphTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
};

Cls9 Defined() {
  return Cls9().Init(7, "name", gtp::kSurface, ctp::kCartesian, "ex", "ey", "z^2", 30, 40, -1.0f, 2.0f, -3.0f,
                     4.0f, 1, 0x112233, 0x445566, 0x778899, 2, 5, shw::kGrid, smt::kFlat, true, false, true,
                     9);
}

TEST_F(GraphTest, NewGraphHasItsStartValues) {
  const Cls9 g;
  EXPECT_EQ(g.Show, 3);
  EXPECT_EQ(g.Smoothness, 3);
  EXPECT_EQ(g.StepU, 1);
  EXPECT_EQ(g.StepV, 1);
  EXPECT_EQ(g.PointColor, 255);
  EXPECT_FLOAT_EQ(g.PointSize, 1.0f);
  EXPECT_FALSE(g.Animation || g.PointHollow || g.ShowContour || g.ShowVector || g.ShowColormap || g.ShowTex ||
               g.ShowTrans);
  EXPECT_TRUE(g.hidden.flagA && g.hidden.flagB && g.hidden.flagC);
  EXPECT_EQ(g.hidden.styleA, 2);
  EXPECT_EQ(g.hidden.color, 0x0000FF00);
  EXPECT_EQ(g.MinUq, 0.0f);
  EXPECT_EQ(g.MaxMag, 0.0f);
}

TEST_F(GraphTest, InitBuildsANewGraphAndLeavesItsReceiverAlone) {
  Cls9 receiver;
  receiver.NameS = "old";
  const Cls9 g =
      receiver.Init(7, "name", gtp::kColorMap, ctp::kCartesian, "ex", "ey", "z", 30, 40, -1.0f, 2.0f, -3.0f,
                    4.0f, 3, 10, 20, 30, 2, 5, shw::kPoint, smt::kSmooth, true, true, false, 9);
  EXPECT_EQ(receiver.NameS, "old");
  EXPECT_EQ(receiver.ID, 0);
  EXPECT_EQ(g.ID, 7);
  EXPECT_EQ(g.NameS, "name");
  EXPECT_EQ(g.GraphType, gtp::kColorMap);
  EXPECT_EQ(g.CoordType, ctp::kCartesian);
  EXPECT_EQ(g.ExpressX, "ex");
  EXPECT_EQ(g.ExpressY, "ey");
  EXPECT_EQ(g.ExpressZ, "z");
  EXPECT_EQ(g.StepU, 30);
  EXPECT_EQ(g.StepV, 40);
  EXPECT_EQ(g.MinU, -1.0f);
  EXPECT_EQ(g.MaxU, 2.0f);
  EXPECT_EQ(g.MinV, -3.0f);
  EXPECT_EQ(g.MaxV, 4.0f);
  EXPECT_EQ(g.FillStyle, 3);
  EXPECT_EQ(g.FirstColor, 10);
  EXPECT_EQ(g.SecondColor, 20);
  EXPECT_EQ(g.LineColor, 30);
  EXPECT_EQ(g.LineWidth, 2);
  EXPECT_EQ(g.Material, 5);
  EXPECT_EQ(g.Show, shw::kPoint);
  EXPECT_EQ(g.Smoothness, smt::kSmooth);
  EXPECT_TRUE(g.ShowContour);
  EXPECT_TRUE(g.ShowVector);
  EXPECT_FALSE(g.ShowColormap);
  EXPECT_EQ(g.ContourLevel, 9);
  EXPECT_EQ(g.FunForm, 0);  // not an argument of Init
}

TEST_F(GraphTest, EqualSetsTheDefinitionButKeepsID) {
  Cls9 g;
  g.ID = 42;
  g.Equal("n", gtp::kSurface, ctp::kCartesian, "a", "b", "c", 5, 6, 1.0f, 2.0f, 3.0f, 4.0f, 2, 11, 12, 13, 3,
          4, shw::kGrid, smt::kFlat, false, true, true, 8, fun::kExplicit);
  EXPECT_EQ(g.ID, 42);
  EXPECT_EQ(g.NameS, "n");
  EXPECT_EQ(g.ExpressZ, "c");
  EXPECT_EQ(g.StepU, 5);
  EXPECT_EQ(g.MaxV, 4.0f);
  EXPECT_EQ(g.FillStyle, 2);
  EXPECT_EQ(g.LineWidth, 3);
  EXPECT_EQ(g.Material, 4);
  EXPECT_TRUE(g.ShowColormap);
  EXPECT_EQ(g.ContourLevel, 8);
  EXPECT_EQ(g.FunForm, fun::kExplicit);
}

TEST_F(GraphTest, EqualToCopiesTheDefinitionButNotIdentityTextureTransparencyOrTables) {
  Cls9 source = Defined();
  source.FunForm = fun::kExplicit;
  source.PointColor = 77;
  source.PointSize = 2.5f;
  source.PointHollow = true;
  source.Animation = true;
  source.MinT = -1.0f;
  source.MaxT = 1.0f;
  source.VarX = 1;
  source.VarY = 2;
  source.VarZ = 3;
  source.ColorR = 3;
  source.ColorG = 4;
  source.ColorB = 5;
  source.CurType = 6;
  source.TexName = "source.bmp";
  source.ShowTex = true;
  source.TexMode = 2;
  source.ShowTrans = true;
  source.TransAlpha = 0.5f;
  source.QuantityX.Resize(2, 2);

  Cls9 target;
  target.ID = 3;
  target.TexName = "target.bmp";
  target.TransAlpha = 0.25f;
  target.EqualTo(source);

  EXPECT_EQ(target.ID, 3);
  EXPECT_EQ(target.TexName, "target.bmp");
  EXPECT_EQ(target.TransAlpha, 0.25f);
  EXPECT_FALSE(target.ShowTex);
  EXPECT_EQ(target.TexMode, 0);
  EXPECT_FALSE(target.ShowTrans);
  EXPECT_TRUE(target.QuantityX.Empty());

  EXPECT_EQ(target.NameS, "name");
  EXPECT_EQ(target.ExpressZ, "z^2");
  EXPECT_EQ(target.StepV, 40);
  EXPECT_EQ(target.MinV, -3.0f);
  EXPECT_EQ(target.PointColor, 77);
  EXPECT_EQ(target.PointSize, 2.5f);
  EXPECT_TRUE(target.PointHollow);
  EXPECT_TRUE(target.Animation);
  EXPECT_EQ(target.MinT, -1.0f);
  EXPECT_EQ(target.MaxT, 1.0f);
  EXPECT_EQ(target.FunForm, fun::kExplicit);
  EXPECT_EQ(target.VarZ, 3);
  EXPECT_EQ(target.ColorB, 5);
  EXPECT_EQ(target.CurType, 6);
  EXPECT_EQ(target.ContourLevel, 9);
  EXPECT_TRUE(target.ShowContour);
  EXPECT_TRUE(target.ShowColormap);
}

TEST_F(GraphTest, StepTReadsTheProgramWideFrameCount) {
  const Cls9 g;
  EXPECT_EQ(g.StepT(), 10);
  State().FrameCount = 25;
  EXPECT_EQ(g.StepT(), 25);
}

TEST_F(GraphTest, MarkerArraysRaiseTheSubscriptErrorOutsideTheirRange) {
  Cls9 g;
  auto expectSubscript = [](auto&& access) {
    try {
      access();
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
    }
  };
  expectSubscript([&] { g.Anim1D(0); });  // never sized
  g.ResizeAnim1D(3);
  g.ResizeAnim2D(2, 3);
  g.ResizeAnim3D(1, 2, 3);
  g.Anim1D(3).x = 1.0f;
  g.Anim2D(2, 3).y = 2.0f;
  g.Anim3D(1, 2, 3).z = 3.0f;
  g.Anim3D(0, 0, 0).z = 4.0f;
  EXPECT_EQ(g.Anim1D(3).x, 1.0f);
  EXPECT_EQ(g.Anim2D(2, 3).y, 2.0f);
  EXPECT_EQ(g.Anim3D(1, 2, 3).z, 3.0f);
  EXPECT_EQ(g.Anim3D(0, 0, 0).z, 4.0f);
  EXPECT_EQ(g.Anim3D(1, 2, 2).z, 0.0f);  // distinct cells
  expectSubscript([&] { g.Anim1D(4); });
  expectSubscript([&] { g.Anim1D(-1); });
  expectSubscript([&] { g.Anim2D(3, 0); });
  expectSubscript([&] { g.Anim2D(0, 4); });
  expectSubscript([&] { g.Anim3D(2, 0, 0); });
  expectSubscript([&] { g.Anim3D(0, 3, 0); });
  expectSubscript([&] { g.Anim3D(0, 0, 4); });
  expectSubscript([&] { g.ResizeAnim1D(-2); });

  // Sizing one array keeps the indexing of the others.
  g.ResizeAnim1D(7);
  EXPECT_EQ(g.Anim2D(2, 3).y, 2.0f);
  EXPECT_EQ(g.Anim1D(7).x, 0.0f);
}

}  // namespace
}  // namespace quillon
