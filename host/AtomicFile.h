#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace host {

// Whole-file reads and writes for the host's stored files (settings, XML documents).
namespace AtomicFile {

// Replaces `path` with `content` so that the file holds either its old or its new content at
// every moment, even when the process dies or the disk fills: the content goes to a temporary
// file in the same folder, is flushed to the disk, and then renamed over the old file. Missing
// folders are created. Failure throws platform::ComError (75) naming the file and the reason,
// and leaves no temporary file behind.
void write(const std::filesystem::path& path, const std::string& content);

// The whole content of `path`; nothing when the file does not exist. Other failures (a folder,
// no permission) throw platform::ComError (75) naming the file and the reason.
std::optional<std::string> read(const std::filesystem::path& path);

}  // namespace AtomicFile
}  // namespace host
