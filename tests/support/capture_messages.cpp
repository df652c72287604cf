#include "support/capture_messages.h"

#include <utility>

namespace gryvel::testing {

CaptureMessages::CaptureMessages(TMessageAnswer answer) {
  previous_ = SetMessageSink([this, answer](const TMessage& message) {
    messages_.push_back(message);
    return answer;
  });
}

CaptureMessages::~CaptureMessages() { SetMessageSink(std::move(previous_)); }

std::vector<std::string> CaptureMessages::Texts() const {
  std::vector<std::string> texts;
  for (const TMessage& m : messages_) texts.push_back(m.Text);
  return texts;
}

}  // namespace gryvel::testing
