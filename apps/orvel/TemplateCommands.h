#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orvel {

struct NewTemplateRequest {
  std::string file;
  std::vector<int32_t> ids;
  std::string standard;
  std::string deviceClass = "I";
  std::string device;
  std::string serial;
  std::string modules;
  bool force = false;
};

struct ShowTemplateRequest {
  std::string file;
  bool json = false;
};

struct SetOptionsRequest {
  std::string file;
  int32_t id = 0;
  std::vector<std::string> assignments;  // NAME=VALUE
};

// `orvel template new|show|set`. Each either completes or leaves the template file as it was.
class TemplateCommands {
 public:
  explicit TemplateCommands(std::ostream& out) : m_out(out) {}

  int create(const NewTemplateRequest& request);
  int show(const ShowTemplateRequest& request);
  int set(const SetOptionsRequest& request);

 private:
  std::ostream& m_out;
};

}  // namespace orvel
