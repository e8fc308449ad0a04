#pragma once
// The window's message sink: every message request becomes a modal QMessageBox.

#include "common/message_sink.h"

namespace quillon {

class QtMessageSink : public MessageSink {
 public:
  MsgAnswer Show(const MessageRequest& request) override;
};

}  // namespace quillon
