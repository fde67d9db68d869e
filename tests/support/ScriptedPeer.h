#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/serial/SerialPort.h"

namespace testing_peer {

// The analyzer's side of a serial line in tests: splits what arrives into commands at CR LF,
// records each with the loop time it arrived, and answers as scripted.
class ScriptedPeer {
 public:
  struct Command {
    std::string text;             // without CR LF
    platform::Milliseconds at{};  // loop time since the peer was made
  };
  // Returns the bytes to send back for a command, or nothing to stay silent.
  using Responder = std::function<std::optional<std::string>(const std::string& command)>;

  // Opens `port` and listens on it.
  explicit ScriptedPeer(std::shared_ptr<platform::serial::SerialPort> port);

  void respond(Responder responder) { m_responder = std::move(responder); }
  // Each arrival of `command` gets the next of `replies`; the last one repeats.
  void script(const std::string& command, std::vector<std::string> replies);

  void send(const std::string& bytes) { m_port->write(bytes); }

  const std::vector<Command>& commands() const { return m_commands; }
  std::vector<std::string> commandTexts() const;

 private:
  void onBytes();

  std::shared_ptr<platform::serial::SerialPort> m_port;
  std::string m_pending;
  std::vector<Command> m_commands;
  Responder m_responder;
  std::map<std::string, std::pair<std::vector<std::string>, size_t>> m_scripts;
  platform::TimePoint m_start;
};

}  // namespace testing_peer
