#include "support/ScriptedPeer.h"

namespace testing_peer {

ScriptedPeer::ScriptedPeer(std::shared_ptr<platform::serial::SerialPort> port)
    : m_port(std::move(port)), m_start(platform::loop().now()) {
  if (!m_port->isOpen()) m_port->open();
  m_port->onReadable([this] { onBytes(); });
}

void ScriptedPeer::script(const std::string& command, std::vector<std::string> replies) {
  m_scripts[command] = {std::move(replies), 0};
}

std::vector<std::string> ScriptedPeer::commandTexts() const {
  std::vector<std::string> texts;
  for (const auto& c : m_commands) texts.push_back(c.text);
  return texts;
}

void ScriptedPeer::onBytes() {
  m_pending += m_port->read();
  for (size_t end; (end = m_pending.find("\r\n")) != std::string::npos;) {
    std::string command = m_pending.substr(0, end);
    m_pending.erase(0, end + 2);
    auto at = std::chrono::duration_cast<platform::Milliseconds>(platform::loop().now() - m_start);
    m_commands.push_back({command, at});
    std::optional<std::string> reply;
    if (auto it = m_scripts.find(command); it != m_scripts.end()) {
      auto& [replies, next] = it->second;
      if (!replies.empty()) reply = replies[std::min(next++, replies.size() - 1)];
    } else if (m_responder) {
      reply = m_responder(command);
    }
    if (reply && !reply->empty()) m_port->write(*reply);
  }
}

}  // namespace testing_peer
