#include "common/message_sink.h"

#include <cstdio>

namespace quillon {
namespace {

MsgAnswer DefaultAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
      return MsgAnswer::Yes;
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
      break;
  }
  return MsgAnswer::Ok;
}

class StderrSink : public MessageSink {
 public:
  MsgAnswer Show(const MessageRequest& request) override {
    std::fprintf(stderr, "%s: %s\n", request.title.c_str(), request.text.c_str());
    return DefaultAnswer(request.buttons);
  }
};

StderrSink g_stderr_sink;
MessageSink* g_sink = nullptr;

}  // namespace

MessageSink& CurrentMessageSink() {
  return g_sink ? *g_sink : g_stderr_sink;
}

void SetMessageSink(MessageSink* sink) {
  g_sink = sink;
}

MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  return CurrentMessageSink().Show(MessageRequest{text, title, icon, buttons});
}

MsgAnswer RecordingSink::Show(const MessageRequest& request) {
  requests_.push_back(request);
  if (answers_.empty()) return DefaultAnswer(request.buttons);
  const MsgAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

ScopedMessageSink::ScopedMessageSink(MessageSink* sink) : previous_(g_sink) {
  g_sink = sink;
}
ScopedMessageSink::~ScopedMessageSink() {
  g_sink = previous_;
}

}  // namespace quillon
