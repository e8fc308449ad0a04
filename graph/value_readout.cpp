#include "graph/value_readout.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"
#include "graph/graph.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string ComplexText(ComplexValue c) {
  // A negative imaginary part reads "x - yi"; -0 counts as positive.
  const bool minus = std::signbit(c.im) && c.im != 0.0;
  return Number(c.re) + (minus ? " - " : " + ") + Number(std::fabs(c.im)) + "i";
}

// Swallows the compiler's box while the mouse moves.
class SilentSink : public MessageSink {
 public:
  MsgAnswer Show(const MessageRequest&) override { return MsgAnswer::Ok; }
};

}  // namespace

std::string ReadoutText(ComplexValue z, std::optional<ComplexValue> w) {
  std::string text = "z = " + ComplexText(z) + "   ";
  if (!w) return text + "f(z) has no value";
  return text + "f(z) = " + ComplexText(*w) + "   |f| = " + Number(std::hypot(w->re, w->im)) +
         "   arg f = " + Number(std::atan2(w->im, w->re));
}

std::optional<ComplexValue> EvaluateAt(const CompiledProgram& program, double x, double y) {
  float u = 0.0f, v = 0.0f;
  try {
    if (!program.Evaluate(static_cast<float>(x), static_cast<float>(y), u, v)) return std::nullopt;
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  if (!HasValue(u) || !HasValue(v)) return std::nullopt;
  return ComplexValue{u, v};
}

std::optional<CompiledProgram> CompileQuietly(const std::string& expression) {
  SilentSink silent;
  const ScopedMessageSink scope(&silent);
  Cls6 compiler;
  std::string postfix;
  if (compiler.InfixToPostfix(AddMultiplySigns(expression), postfix) != 0) return std::nullopt;
  return CompiledProgram::FromPostfix(postfix);
}

std::optional<GridHit> NearestGridPoint(const Cls9& graph, double x, double y, double z) {
  const int32_t columns = graph.StepU + 1, rows = graph.StepV + 1;
  for (const GridTable* t : {&graph.SceneX, &graph.SceneY, &graph.SceneZ})
    if (t->Columns() != columns || t->Rows() != rows) return std::nullopt;
  const float* sx = graph.SceneX.data();
  const float* sy = graph.SceneY.data();
  const float* sz = graph.SceneZ.data();
  double best = std::numeric_limits<double>::infinity();
  size_t bestAt = 0;
  const size_t count = graph.SceneX.size();
  for (size_t n = 0; n < count; ++n) {
    const double dx = sx[n] - x, dy = sy[n] - y, dz = sz[n] - z;
    const double d = dx * dx + dy * dy + dz * dz;  // NaN for a hole, which never compares less
    if (d < best) {
      best = d;
      bestAt = n;
    }
  }
  if (!std::isfinite(best)) return std::nullopt;
  return GridHit{static_cast<int32_t>(bestAt / static_cast<size_t>(rows)),
                 static_cast<int32_t>(bestAt % static_cast<size_t>(rows)), std::sqrt(best)};
}

}  // namespace quillon
