#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/TestTemplate.h"
#include "host_api/ILoadLog.h"
#include "host_api/IXmlService.h"
#include "platform/ComError.h"

namespace host {

// The stored form of a test template (layout in host/README.md).
namespace TemplateFile {

// The whole document of `testTemplate`, as save writes it. ComError 429 for an element or
// device data whose class is not registered (it could not be read back); an element's own
// error is passed on naming the element.
std::shared_ptr<host_api::IXmlDocument> document(const TestTemplate& testTemplate);
// Writes `testTemplate` to `path` atomically.
void save(const TestTemplate& testTemplate, const std::filesystem::path& path);
// Reads the template stored at `path`; see TestTemplate::load.
std::shared_ptr<TestTemplate> load(const std::filesystem::path& path, host_api::ILoadLog* log);

// `error` with its description told after `context`.
platform::ComError withContext(const platform::ComError& error, const std::string& context);

// Runs `step`; an error it raises keeps its number and source, and its description is told
// after `context` (such as "Test template "/t.xml", element 2 (TestID 300)").
template <typename Step>
auto within(const std::string& context, Step&& step) -> decltype(step()) {
  try {
    return step();
  } catch (const platform::ComError& error) {
    throw withContext(error, context);
  }
}
// "Test template "<path>"", how errors about a template file begin.
std::string fileContext(const std::filesystem::path& path);

}  // namespace TemplateFile
}  // namespace host
