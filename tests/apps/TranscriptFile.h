#pragma once

#include <filesystem>
#include <string>

// The transcript that trxsim writes line by line while it serves, read as it grows. A test waits
// on it until the analyzer has observably reached the point it needs (a command received),
// instead of guessing how long a program takes to get there.
class TranscriptFile {
 public:
  explicit TranscriptFile(std::filesystem::path path);
  ~TranscriptFile();
  TranscriptFile(const TranscriptFile&) = delete;
  TranscriptFile& operator=(const TranscriptFile&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // Serves the event loop until the analyzer has received `command` (without CR LF) or 30 s
  // have passed; whether it was received.
  bool waitForCommand(const std::string& command);
  const std::string& text() const { return m_text; }

 private:
  bool contains(const std::string& part);

  std::filesystem::path m_path;
  int m_notify = -1;
  std::string m_text;
};
