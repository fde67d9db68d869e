// A component library as the plug-in and the driver are built: one entry point that lists its
// classes. Loaded by the component tests with dlopen.
#include <memory>

#include "../SampleGreeter.h"
#include "platform/components/ClassRegistrar.h"

namespace {
class CGreeter : public ISampleGreeter {
 public:
  std::string greet(const std::string& name) override {
    ++m_count;
    return "Hello, " + name;
  }
  int greetings() const override { return m_count; }

 private:
  int m_count = 0;
};

class CSilent : public platform::Object {};
}  // namespace

ORVEL_COMPONENT_ENTRY(registrar) {
  registrar.registerClass("orvelSample.CGreeter", [] { return std::make_shared<CGreeter>(); });
  registrar.registerClass("orvelSample.CSilent", [] { return std::make_shared<CSilent>(); });
}
