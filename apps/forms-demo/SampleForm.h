#pragma once

#include "platform/forms/Form.h"

// A prompt of the kind a safety test shows between two steps: a countdown that continues by
// itself, a few options, a value field, the last readings, and Continue / Repeat / Stop Test.
class SampleForm : public platform::forms::Form {
 public:
  enum Answer { Continue = 0, Repeat = 2, Stop = 3 };

  explicit SampleForm(int seconds);
  Answer answer() const { return m_answer; }
  // The option the operator chose and the repeat count, for the summary.
  std::string choices() const;

 private:
  void build();
  void tick();
  void finish(Answer answer);
  void showRemaining();

  int m_remaining;
  Answer m_answer = Continue;
};
