#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "platform/EventLoop.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/AnalyzerModel.h"
#include "sim/Scenario.h"
#include "sim/Transcript.h"
#include "sim/Transport.h"

namespace sim {

// The analyzer on a serial line: takes bytes, frames them into commands (a line ends at LF
// after an optional CR; the escape key acts at once, on its own), answers one command at a
// time after the processing delay of its scenario, streams readings after MREAD, applies the
// scripted faults and keeps the transcript. Every delay is a timer on platform::loop().
class SimulatedAnalyzer {
 public:
  // The commands that may wait for their turn; a host that sends more without waiting for the
  // answers loses the rest, as with an instrument's small input buffer.
  static constexpr size_t kMaxPending = 16;

  explicit SimulatedAnalyzer(Scenario scenario);
  ~SimulatedAnalyzer();
  SimulatedAnalyzer(const SimulatedAnalyzer&) = delete;
  SimulatedAnalyzer& operator=(const SimulatedAnalyzer&) = delete;

  // Connects to the device end of an in-process cable (which must outlive this analyzer, or
  // be detached first). The driver opens the host end.
  void attach(platform::serial::VirtualSerialLink& link);
  // Connects to any transport; it calls receive() with what arrives.
  void attach(std::unique_ptr<Transport> transport);
  void detach();

  // Bytes from the host.
  void receive(std::string_view bytes);
  // A note of the simulator's own in the transcript.
  void note(const std::string& text);

  const AnalyzerModel& model() const { return m_model; }
  AnalyzerModel& model() { return m_model; }
  Transcript& transcript() { return m_transcript; }
  const Transcript& transcript() const { return m_transcript; }
  bool isHungUp() const { return m_hungUp; }
  // Whether a reply is being prepared or commands wait for one.
  bool isIdle() const { return !m_busy && m_queue.empty(); }

  // The state the session leaves the analyzer in, as one JSON line:
  // {"end":true,"control":"local","outlet":"off","test_mode":"","hung_up":false}
  std::string endState() const;
  // The transcript followed by the end state.
  void writeTranscript(std::ostream& out) const;

 private:
  void takeCommand(std::string raw, std::string command);
  void processNext();
  void sendReply(const std::string& reply, const Fault& fault, bool startsStream);
  void finishReply(bool startsStream);
  void startStream();
  void stopStream();
  void emit(const std::string& bytes);
  void cutLine();
  void after(platform::Duration delay, std::function<void()> fn);
  double nowMs() const;

  Scenario m_scenario;  // before m_model, which keeps a reference to it
  AnalyzerModel m_model;
  Transcript m_transcript;
  std::unique_ptr<Transport> m_transport;
  platform::TimePoint m_start;
  std::string m_input;
  bool m_discarding = false;  // inside an overlong line, until its end
  std::deque<std::string> m_queue;
  bool m_busy = false;
  bool m_hungUp = false;
  std::set<platform::TimerId> m_timers;
  platform::TimerId m_streamTimer = 0;
};

}  // namespace sim
