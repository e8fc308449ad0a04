// Fuzzes the compiler on arbitrary bytes: implied products are added as a graph does, then the
// text is compiled. Every input must end in a postfix string or one syntax error box.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/text_helpers.h"

namespace {

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
    } else {
      if (sink.Requests().size() != 1) std::abort();
      if (result < quillon::Cls6::kFailedAtStart || result > static_cast<int64_t>(source.size()))
        std::abort();
    }
  }
  return 0;
}
