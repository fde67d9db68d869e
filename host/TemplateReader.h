#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/HostLoadLog.h"
#include "host/TestTemplate.h"
#include "host_api/ILoadLog.h"
#include "host_api/IXmlService.h"

namespace host {

// Reads one stored test template (layout in host/README.md): the device, the selected
// standards, and each element created by its "ClassName" from the component registry and
// handed its stored "TestElement". Every error names the file and, where one is at fault, the
// element.
class TemplateReader {
 public:
  // `log` takes what the loaders let pass; without one, the first such message fails the read.
  TemplateReader(std::filesystem::path path, host_api::ILoadLog* log);

  std::shared_ptr<TestTemplate> read();

 private:
  void readDevice(const host_api::IXmlElement& root);
  void readDeviceData(const host_api::IXmlElement& device);
  void readElements(const host_api::IXmlElement& root);
  void readElement(const host_api::IXmlElement& wrapper, int position);
  HostData readHostData(const host_api::IXmlElement& wrapper, const std::string& context);
  std::shared_ptr<host_api::IXmlElement> required(const host_api::IXmlElement& parent,
                                                  const std::string& name,
                                                  const std::string& context);
  // Creates `progId` and checks that it is a `Interface`; `context` names the stored part.
  template <typename Interface>
  std::shared_ptr<Interface> create(const std::string& progId, const std::string& context);
  // Runs a load step under `context`, then fails on anything it let pass unless a log takes it.
  template <typename Step>
  void step(const std::string& context, Step&& load);
  [[noreturn]] void fail(int32_t number, const std::string& context, const std::string& why) const;
  host_api::ILoadLog* log() { return m_log ? m_log : &m_passed; }

  std::filesystem::path m_path;
  host_api::ILoadLog* m_log;
  HostLoadLog m_passed;
  std::shared_ptr<TestTemplate> m_template;
};

}  // namespace host
