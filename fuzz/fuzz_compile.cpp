// Fuzzes the compiler and both evaluators on arbitrary bytes: implied products are added as a
// graph does, then the text is compiled. Every input must end in a postfix string or one
// syntax error box; a compiled string is evaluated at a few points by the text-reading
// evaluator and by the compiled program (general powers), which must agree on the value or
// on the error.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"

namespace {

struct Outcome {
  int kind = 0;  // 0 value, 1 no value, 2 run-time error
  int32_t error = 0;
  float u = 0.0f, v = 0.0f;
};

bool SameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckEvaluators(const std::string& postfix) {
  static const float points[][2] = {{0.0f, 0.0f}, {1.0f, -0.5f}, {-2.0f, 3.0f}, {1e-3f, 7.0f}};
  quillon::Cls6 expression;
  const auto program =
      quillon::CompiledProgram::FromPostfix(postfix, quillon::IntegerPowers::kAsGeneralPowers);
  for (const auto& p : points) {
    Outcome text, compiled;
    try {
      text.kind = expression.DoEvaluate(postfix, text.u, text.v, p[0], p[1]) ? 0 : 1;
    } catch (const quillon::RuntimeError& e) {
      text.kind = 2;
      text.error = e.Number();
    }
    try {
      compiled.kind = program.Evaluate(p[0], p[1], compiled.u, compiled.v) ? 0 : 1;
    } catch (const quillon::RuntimeError& e) {
      compiled.kind = 2;
      compiled.error = e.Number();
    }
    if (text.kind != compiled.kind || text.error != compiled.error) std::abort();
    if (text.kind == 0 && (!SameBits(text.u, compiled.u) || !SameBits(text.v, compiled.v))) std::abort();
  }
}

quillon::RecordingSink& Sink() {
  static quillon::RecordingSink sink;
  static const bool installed = (quillon::SetMessageSink(&sink), true);
  (void)installed;
  return sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillon::RecordingSink& sink = Sink();
  sink.Clear();
  const std::string text(reinterpret_cast<const char*>(data), size);

  for (const std::string& source : {text, quillon::AddMultiplySigns(text)}) {
    sink.Clear();
    quillon::Cls6 expression;
    std::string postfix;
    const int32_t result = expression.InfixToPostfix(source, postfix);
    // Success shows no box and leaves a space-terminated string; failure shows exactly one.
    if (result == 0) {
      if (!sink.Requests().empty()) std::abort();
      if (!postfix.empty() && postfix.back() != ' ') std::abort();
      // Long texts only cost time here; the evaluators' own tests cover large inputs.
      if (postfix.size() <= 4096) CheckEvaluators(postfix);
    } else {
      if (sink.Requests().size() != 1) std::abort();
      if (result < quillon::Cls6::kFailedAtStart || result > static_cast<int64_t>(source.size()))
        std::abort();
    }
  }
  return 0;
}
