#include "sim/SimulatedAnalyzer.h"

#include <algorithm>
#include <utility>

#include "sim/FaultScript.h"
#include "sim/SerialPortTransport.h"

namespace sim {

namespace {

// A line longer than any command is noise on the line; it is dropped rather than kept
// growing.
constexpr size_t kMaxLine = 256;
const char kEscape = '\x1b';

}  // namespace

SimulatedAnalyzer::SimulatedAnalyzer(Scenario scenario)
    : m_scenario(std::move(scenario)), m_model(m_scenario), m_start(platform::loop().now()) {}

SimulatedAnalyzer::~SimulatedAnalyzer() {
  stopStream();
  for (platform::TimerId id : m_timers) platform::loop().stopTimer(id);
  detach();
}

void SimulatedAnalyzer::attach(platform::serial::VirtualSerialLink& link) {
  attach(
      std::make_unique<SerialPortTransport>(*this, link.deviceEnd(), [&link] { link.hangUp(); }));
}

void SimulatedAnalyzer::attach(std::unique_ptr<Transport> transport) {
  m_transport = std::move(transport);
}

void SimulatedAnalyzer::detach() { m_transport.reset(); }

double SimulatedAnalyzer::nowMs() const {
  return std::chrono::duration<double, std::milli>(platform::loop().now() - m_start).count();
}

void SimulatedAnalyzer::note(const std::string& text) { m_transcript.add(nowMs(), "note", text); }

void SimulatedAnalyzer::receive(std::string_view bytes) {
  if (m_hungUp) return;
  for (char c : bytes) {
    if (c == kEscape) {
      // The escape key cancels whatever was being typed and acts at once.
      if (!m_input.empty()) note("partial line dropped by ESC");
      m_input.clear();
      takeCommand(std::string(1, kEscape), std::string(1, kEscape));
      continue;
    }
    if (m_discarding) {
      // The rest of an overlong line is noise too.
      m_discarding = c != '\n';
      continue;
    }
    m_input += c;
    if (c == '\n') {
      std::string command = m_input;
      while (!command.empty() && (command.back() == '\n' || command.back() == '\r')) {
        command.pop_back();
      }
      takeCommand(std::exchange(m_input, {}), command);
    } else if (m_input.size() > kMaxLine) {
      note("line too long, dropped");
      m_input.clear();
      m_discarding = true;
    }
  }
  processNext();
}

void SimulatedAnalyzer::takeCommand(std::string raw, std::string command) {
  m_transcript.add(nowMs(), "in", std::move(raw));
  if (command.empty()) return;
  if (m_queue.size() >= kMaxPending) {
    note("input overflow, command dropped");
    return;
  }
  m_queue.push_back(std::move(command));
}

void SimulatedAnalyzer::processNext() {
  while (!m_busy && !m_queue.empty() && !m_hungUp) {
    std::string command = m_queue.front();
    m_queue.pop_front();
    Fault fault;
    if (auto scripted = m_scenario.faults.match(command)) {
      fault = *scripted;
      note("fault on " + command + ": " + fault.describe());
    }
    if (fault.hangUp) {
      cutLine();
      return;
    }
    if (fault.silence) continue;  // lost on the line: never carried out, never answered
    std::string reply;
    if (fault.groundFault) {
      m_model.tripGroundFault();
      reply = "!50";
    } else if (fault.overVoltage) {
      m_model.detectOverVoltage();
      reply = "!51";
    } else if (fault.reply) {
      reply = *fault.reply;  // refused: the command is not carried out
    } else {
      reply = m_model.execute(command);
    }
    const bool carriedOut = !fault.groundFault && !fault.overVoltage && !fault.reply;
    if (fault.highVoltage) m_model.enterHighVoltage();
    if (!m_model.isStreaming()) stopStream();
    const bool startsStream =
        carriedOut && m_model.isStreaming() && FaultScript::commandName(command) == "MREAD";
    if (startsStream) stopStream();  // a new stream replaces the old one
    m_busy = true;
    platform::Duration delay =
        m_scenario.processingOf(FaultScript::commandName(command)) + fault.extraDelay;
    after(delay, [this, reply, fault, startsStream] { sendReply(reply, fault, startsStream); });
  }
}

void SimulatedAnalyzer::sendReply(const std::string& reply, const Fault& fault, bool startsStream) {
  std::string bytes = reply + (fault.noLineEnd ? "" : "\r\n");
  const size_t parts = std::min(static_cast<size_t>(fault.splitParts), bytes.size());
  if (parts <= 1) {
    emit(bytes);
    finishReply(startsStream);
    return;
  }
  // Exactly `parts` pieces of nearly equal size.
  for (size_t i = 0; i < parts; ++i) {
    const size_t from = i * bytes.size() / parts;
    const size_t to = (i + 1) * bytes.size() / parts;
    std::string piece = bytes.substr(from, to - from);
    const bool last = i + 1 == parts;
    auto send = [this, piece, last, startsStream] {
      emit(piece);
      if (last) finishReply(startsStream);
    };
    if (i == 0)
      send();
    else
      after(fault.splitGap * static_cast<int>(i), send);
  }
}

void SimulatedAnalyzer::finishReply(bool startsStream) {
  m_busy = false;
  if (startsStream && m_model.isStreaming()) startStream();
  processNext();
}

void SimulatedAnalyzer::startStream() {
  stopStream();
  m_streamTimer = platform::loop().startRepeating(m_scenario.streamInterval, [this] {
    if (!m_model.isStreaming() || m_hungUp) {
      stopStream();
      return;
    }
    emit(m_model.streamReading() + "\r\n");
  });
}

void SimulatedAnalyzer::stopStream() {
  if (m_streamTimer) platform::loop().stopTimer(m_streamTimer);
  m_streamTimer = 0;
}

void SimulatedAnalyzer::emit(const std::string& bytes) {
  if (m_hungUp) return;
  m_transcript.add(nowMs(), "out", bytes);
  if (m_transport) m_transport->send(bytes);
}

void SimulatedAnalyzer::cutLine() {
  m_hungUp = true;
  m_queue.clear();
  m_input.clear();
  m_discarding = false;
  stopStream();
  note("line hung up");
  if (m_transport) m_transport->hangUp();
}

void SimulatedAnalyzer::after(platform::Duration delay, std::function<void()> fn) {
  // The id is known only after the timer exists; the callback finds it through a shared slot.
  auto slot = std::make_shared<platform::TimerId>(0);
  *slot = platform::loop().startTimer(delay, [this, slot, fn = std::move(fn)] {
    m_timers.erase(*slot);
    fn();
  });
  m_timers.insert(*slot);
}

std::string SimulatedAnalyzer::endState() const {
  return std::string("{\"end\":true,\"control\":\"") + (m_model.isRemote() ? "remote" : "local") +
         "\",\"outlet\":\"" + m_model.outletText() + "\",\"test_mode\":\"" + m_model.modeName() +
         "\",\"hung_up\":" + (m_hungUp ? "true" : "false") + "}";
}

void SimulatedAnalyzer::writeTranscript(std::ostream& out) const {
  m_transcript.write(out);
  out << endState() << '\n';
}

}  // namespace sim
