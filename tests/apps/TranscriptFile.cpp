#include "TranscriptFile.h"

#include <sys/inotify.h>
#include <unistd.h>

#include "platform/EventLoop.h"
#include "support/TestFiles.h"

TranscriptFile::TranscriptFile(std::filesystem::path path)
    : m_path(std::move(path)), m_notify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

TranscriptFile::~TranscriptFile() {
  if (m_notify >= 0) ::close(m_notify);
}

bool TranscriptFile::contains(const std::string& part) {
  m_text = readFile(m_path);
  return m_text.find(part) != std::string::npos;
}

bool TranscriptFile::waitForCommand(const std::string& command) {
  // Lines look like {"t_ms":1.2,"dir":"in","text":"POL=N\r\n"}, escapes written out.
  const std::string line = "\"dir\":\"in\",\"text\":\"" + command + "\\r\\n\"";
  // Watch first, then look: a line written in between still wakes the loop.
  if (m_notify < 0 || inotify_add_watch(m_notify, m_path.c_str(), IN_MODIFY) < 0) return false;
  auto& loop = platform::loop();
  bool found = contains(line);
  auto watch = loop.watchRead(m_notify, [&] {
    char events[4096];
    while (::read(m_notify, events, sizeof events) > 0) {
    }
    found = contains(line);
  });
  bool expired = false;
  auto timer = loop.startTimer(std::chrono::seconds(30), [&expired] { expired = true; });
  loop.processUntil([&] { return found || expired; });
  loop.stopTimer(timer);
  loop.unwatch(watch);
  return found;
}
