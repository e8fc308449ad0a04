#pragma once
// Message boxes are requested through one small interface so that the compiler's "Syntax
// Error" box, the dialogs' notes and the save questions can be recorded and answered in
// tests. The window installs a QMessageBox sink; the command line installs one that writes
// to standard error; tests install RecordingSink with scripted answers.

#include <deque>
#include <string>
#include <vector>

namespace quillon {

enum class MsgIcon { None, Critical, Exclamation, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual MsgAnswer Show(const MessageRequest& request) = 0;
};

// Shows a message through the installed sink and returns the answer.
MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon = MsgIcon::None,
                 MsgButtons buttons = MsgButtons::Ok);

// Installs a sink (not owned); nullptr restores the default sink, which prints the text to
// standard error and answers OK, Yes for yes/no questions.
void SetMessageSink(MessageSink* sink);
MessageSink& CurrentMessageSink();

// Records every request and answers from a script (OK / the first button when it runs out).
class RecordingSink : public MessageSink {
 public:
  MsgAnswer Show(const MessageRequest& request) override;

  void Script(MsgAnswer answer) { answers_.push_back(answer); }
  const std::vector<MessageRequest>& Requests() const { return requests_; }
  void Clear() {
    requests_.clear();
    answers_.clear();
  }

 private:
  std::vector<MessageRequest> requests_;
  std::deque<MsgAnswer> answers_;
};

// Installs a sink for the lifetime of the guard and restores the previous one after.
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink* sink);
  ~ScopedMessageSink();
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

// The application title, the caption of the program's own message boxes.
inline constexpr const char* kAppTitle = "Quillon";

}  // namespace quillon
