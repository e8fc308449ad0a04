#pragma once
// The program-wide state that several subsystems read and write, kept in one struct (SceneKind,
// LastGraphID, the view intervals, ...). There is one instance per running program (State());
// tests reset it in their fixtures with ResetProgramState().

#include <array>
#include <cstdint>
#include <string>

namespace quillon {

struct ProgramState {
  // Kind of the scene: 3 for 3D function graphs, 7 for colour maps, 1 and 2 (and the
  // document kinds 4..6) for plane scenes, 0 before the first graph.
  int32_t SceneKind = 0;
  // Largest graph ID handed out; Delete All sets it back to 0.
  int32_t LastGraphID = 0;
  // True while a graph dialog edits the current graph instead of adding one.
  bool EditMode = false;

  // Animation: number of steps (a graph's StepT), frames per second, frame shown.
  int32_t FrameCount = 10;
  int32_t AnimationSpeed = 10;
  int32_t CurrentFrame = 1;

  // Axis titles shared by the graph dialogs, the axis dialog, the reader and the axes frame.
  std::string TitleLetterX;
  std::string TitleLetterY;
  std::string TitleLetterZ;

  // View intervals: sampled point markers outside them are stored as the undefined marker.
  float ViewMinX = -20.0f;
  float ViewMaxX = 20.0f;
  float ViewMinY = -20.0f;
  float ViewMaxY = 20.0f;
  float ViewMinZ = -50.0f;
  float ViewMaxZ = 50.0f;

  // Orientation of the scene as a quaternion (x, y, z, w) and whether the mouse set it.
  std::array<float, 4> CurrentRotation{0.0f, 0.0f, 0.0f, 1.0f};
  bool TrackballActive = false;

  // Set by the axis dialogs' OK, cleared by their Cancel.
  bool AxesChanged = false;

  // Text that graph drawing leaves for the main window's Result box.
  std::string ResultText;

  // The box that drawing fills for graphs drawn without vertex tables
  // (MaxX, MinX, MaxY, MinY, MaxZ, MinZ).
  float GlobalBoxMaxX = 0.0f, GlobalBoxMinX = 0.0f;
  float GlobalBoxMaxY = 0.0f, GlobalBoxMinY = 0.0f;
  float GlobalBoxMaxZ = 0.0f, GlobalBoxMinZ = 0.0f;
};

ProgramState& State();
void ResetProgramState();

}  // namespace quillon
