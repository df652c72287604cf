#pragma once

#include <string>
#include <vector>

#include "common/message_sink.h"

namespace gryvel::testing {

// Records every message the engine shows while it lives and answers with `answer`;
// restores the previous sink on destruction.
class CaptureMessages {
 public:
  explicit CaptureMessages(TMessageAnswer answer = TMessageAnswer::Ok);
  ~CaptureMessages();
  CaptureMessages(const CaptureMessages&) = delete;
  CaptureMessages& operator=(const CaptureMessages&) = delete;

  const std::vector<TMessage>& Messages() const { return messages_; }
  // The texts alone, in order.
  std::vector<std::string> Texts() const;

 private:
  std::vector<TMessage> messages_;
  TMessageSink previous_;
};

}  // namespace gryvel::testing
