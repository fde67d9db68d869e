#pragma once

#include <string>
#include <vector>

#include "host_api/ILoadLog.h"

namespace host {

// Collects what loaders let pass, in order, so the host can show it after opening a template.
class HostLoadLog : public host_api::ILoadLog {
 public:
  void Write(const std::string& message) override { m_messages.push_back(message); }
  const std::vector<std::string>& messages() const { return m_messages; }
  bool empty() const { return m_messages.empty(); }
  void clear() { m_messages.clear(); }
  // Every message on a line of its own.
  std::string text() const;

 private:
  std::vector<std::string> m_messages;
};

}  // namespace host
