// Prints the times of what a technician waits for when building a template (targets: each
// under 20 ms):
//  1. initialize: the plug-in entry reading its settings and the shipped catalogue;
//  2. create_test_100: cloning the whole safety test (test id 100) out of the catalogue;
//  3. template_save and template_load: a template holding that clone, with the limits of one
//     standard on every element, written to a file and read back.
// Each time is the best of several runs, so that a busy machine does not decide the figure.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/BenchClock.h"
#include "host/HostApplicationService.h"
#include "host/HostServicesInstaller.h"
#include "host/TestTemplate.h"
#include "host_api/HostServices.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/entry/CPlugInTRX440.h"

extern "C" void orvelRegisterClasses(platform::components::ClassRegistrar& registrar);

namespace {

constexpr int kRuns = 15;

double bestMs(const std::function<void()>& run) {
  double fastest = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    const double start = bench::wallSeconds();
    run();
    fastest = std::min(fastest, bench::wallSeconds() - start);
  }
  return fastest * 1000.0;
}

void report(const char* name, double ms) {
  std::printf("%-16s %8.3f ms  (target < 20 ms)  %s\n", name, ms, ms < 20.0 ? "met" : "MISSED");
}

}  // namespace

int main() {
  auto dir = std::filesystem::temp_directory_path() / "orvel-bench-templates";
  std::filesystem::create_directories(dir);
  setenv("ORVEL_REGISTRY", (dir / "registry.ini").c_str(), 1);
  host::installHostServices();
  orvelRegisterClasses(platform::components::components());

  std::shared_ptr<plugin::CPlugInTRX440> entry;
  report("initialize", bestMs([&] {
           entry = std::make_shared<plugin::CPlugInTRX440>();
           entry->Initialize(nullptr);
         }));

  std::shared_ptr<host_api::ITestElement> clone;
  report("create_test_100", bestMs([&] { clone = entry->CreateTest(100); }));

  auto testTemplate = std::make_shared<host::TestTemplate>();
  testTemplate->setStandard("IEC 60601-1", "I");
  testTemplate->addElement(clone);
  testTemplate->createLimitStandards();
  const auto file = dir / "template.xml";
  report("template_save", bestMs([&] { testTemplate->save(file); }));
  report("template_load", bestMs([&] { host::TestTemplate::load(file); }));
  std::printf("template_bytes   %8ju\n", static_cast<uintmax_t>(std::filesystem::file_size(file)));

  std::filesystem::remove_all(dir);
  return 0;
}
