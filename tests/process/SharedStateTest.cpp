#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host_api/HostServices.h"
#include "host_api/IOrvelMLCQuery.h"
#include "libraries/StateProbe.h"
#include "platform/EventLoop.h"
#include "platform/VirtualLoop.h"
#include "platform/components/ComponentLibrary.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ScriptedScreen.h"

// The program, the driver and any other library loaded with dlopen must share one loop, one
// screen and one set of host services: a driver waiting on a loop of its own would never see the
// operator's Stop, and one with its own host services would read no settings.

namespace {

// A registry with no values that counts how often it is opened.
class CountingKey : public host_api::IRegistryKey {
 public:
  explicit CountingKey(int& opened) : m_opened(opened) {}
  bool Open(uint32_t, const std::string&, bool) override { return ++m_opened, false; }
  bool IsOpen() const override { return false; }
  void Close() override {}
  std::optional<std::string> ReadText(const std::string&) const override { return {}; }
  std::optional<int32_t> ReadLong(const std::string&) const override { return {}; }
  std::optional<int16_t> ReadInteger(const std::string&) const override { return {}; }
  void WriteText(const std::string&, const std::string&) override {}
  void WriteLong(const std::string&, int32_t) override {}
  void WriteInteger(const std::string&, int16_t) override {}

 private:
  int& m_opened;
};

struct Library {
  explicit Library(const char* path) : handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
  ~Library() {
    if (handle) dlclose(handle);
  }
  void* symbol(const char* name) const { return dlsym(handle, name); }
  void* handle;
};

}  // namespace

TEST(SharedState, ALoadedLibrarySeesTheProgramsLoopScreenAndHostServices) {
  platform::VirtualLoop loop;
  platform::LoopOverride useLoop(loop);
  platform::forms::ScriptedScreen screen;
  platform::forms::ScreenOverride useScreen(screen);
  auto services = std::make_shared<host_api::HostServices>();
  host_api::HostServicesOverride useServices(services);

  Library probe(ORVEL_STATE_PROBE);
  ASSERT_NE(probe.handle, nullptr) << dlerror();
  auto read = reinterpret_cast<ReadProcessStateFunction>(probe.symbol(kReadProcessStateSymbol));
  ASSERT_NE(read, nullptr);
  ProcessState seen = read();
  EXPECT_EQ(seen.loop, &loop);
  EXPECT_EQ(seen.screen, &screen);
  EXPECT_EQ(seen.hostServices, services.get());
}

TEST(SharedState, TheDriverHasNoCopyOfTheProcessWideState) {
  Library driver(ORVEL_DRIVER_LIBRARY);
  ASSERT_NE(driver.handle, nullptr) << dlerror();
  // Looked up through the driver's handle, each accessor is found in the driver itself first; it
  // must resolve to the one the program calls.
  EXPECT_EQ(driver.symbol("_ZN8platform4loopEv"), reinterpret_cast<void*>(&platform::loop));
  EXPECT_EQ(driver.symbol("_ZN8platform5forms6screenEv"),
            reinterpret_cast<void*>(&platform::forms::screen));
  EXPECT_EQ(driver.symbol("_ZN8host_api16hostServicesSlotEv"),
            reinterpret_cast<void*>(&host_api::hostServicesSlot));
}

TEST(SharedState, TheDriverLoadedByPathReadsTheProgramsHostServices) {
  int opened = 0;
  auto services = std::make_shared<host_api::HostServices>();
  services->newRegistryKey = [&opened] { return std::make_unique<CountingKey>(opened); };
  host_api::HostServicesOverride useServices(services);
  platform::VirtualLoop loop;
  platform::LoopOverride useLoop(loop);

  platform::components::ComponentRegistry registry;
  auto library = platform::components::ComponentLibrary::load(ORVEL_DRIVER_LIBRARY, registry);
  auto query = std::dynamic_pointer_cast<host_api::IOrvelMLCQuery>(
      registry.create("orvelTRX440vti.CTrxMlcQuery"));
  ASSERT_TRUE(query);
  // Port 7 is looked up in the port table of the program's settings: not there, nothing found.
  EXPECT_EQ(query->QueryMTI(7).Status, host_api::MLCQueryResult::kNotFound);
  EXPECT_GT(opened, 0);
}
