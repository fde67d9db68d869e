#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "SampleGreeter.h"
#include "platform/ComError.h"
#include "platform/components/ComponentLibrary.h"
#include "support/ExpectError.h"

using namespace platform;
using namespace platform::components;

TEST(ComponentLibrary, LoadsByPathAndCreatesObjectsByProgId) {
  ComponentRegistry registry;
  auto library = ComponentLibrary::load(ORVEL_SAMPLE_COMPONENT, registry);
  EXPECT_EQ(library->progIds(),
            (std::vector<std::string>{"orvelSample.CGreeter", "orvelSample.CSilent"}));

  auto greeter = std::dynamic_pointer_cast<ISampleGreeter>(registry.create("orvelSample.CGreeter"));
  ASSERT_TRUE(greeter);
  EXPECT_EQ(greeter->greet("TRX440"), "Hello, TRX440");
  EXPECT_EQ(greeter->greetings(), 1);
  // Each creation is a new object; ProgIDs written in another case find the same class.
  auto second = std::dynamic_pointer_cast<ISampleGreeter>(registry.create("ORVELSAMPLE.cgreeter"));
  ASSERT_TRUE(second);
  EXPECT_EQ(second->greetings(), 0);
  EXPECT_FALSE(std::dynamic_pointer_cast<ISampleGreeter>(registry.create("orvelSample.CSilent")));
}

TEST(ComponentLibrary, LoadsIntoTheInstalledRegistryAndLeavesTheProcessRegistryAlone) {
  ComponentRegistry& processRegistry = platform::components::components();
  ComponentRegistry own;
  {
    ComponentsOverride useOwn(own);
    auto library = ComponentLibrary::load(ORVEL_SAMPLE_COMPONENT);
    EXPECT_EQ(&platform::components::components(), &own);
    EXPECT_TRUE(platform::components::components().isRegistered("orvelSample.CGreeter"));
  }
  EXPECT_EQ(&platform::components::components(), &processRegistry);
  EXPECT_FALSE(platform::components::components().isRegistered("orvelSample.CGreeter"));
  EXPECT_TRUE(own.isRegistered("orvelSample.CGreeter"));
}

TEST(ComponentLibrary, ObjectsKeepTheirLibraryLoadedAfterEverythingElseLetGo) {
  std::shared_ptr<ISampleGreeter> greeter;
  {
    ComponentRegistry registry;
    auto library = ComponentLibrary::load(ORVEL_SAMPLE_COMPONENT, registry);
    greeter = std::dynamic_pointer_cast<ISampleGreeter>(registry.create("orvelSample.CGreeter"));
  }
  // Registry and library handle are gone; the object's code must still be there.
  ASSERT_TRUE(greeter);
  EXPECT_EQ(greeter->greet("again"), "Hello, again");
  greeter.reset();
}

TEST(ComponentLibrary, EveryFailureIsAClearError) {
  ComponentRegistry registry;
  EXPECT_EQ(expectComError([&] { registry.create("orvelSample.CGreeter"); }).number(),
            RuntimeError::ClassNotRegistered);
  EXPECT_EQ(expectComError([&] {
              ComponentLibrary::load("/nonexistent/libnothing.so", registry);
            }).number(),
            RuntimeError::FileNotFound);
  EXPECT_EQ(
      expectComError([&] { ComponentLibrary::load(ORVEL_NO_ENTRY_LIBRARY, registry); }).number(),
      errEntryPointMissing);
  // A file that is no shared library at all.
  const std::string notALibrary = ::testing::TempDir() + "orvel_not_a_library.so";
  std::ofstream(notALibrary) << "just text";
  EXPECT_EQ(expectComError([&] { ComponentLibrary::load(notALibrary, registry); }).number(),
            errLibraryNotLoaded);
  std::remove(notALibrary.c_str());
  EXPECT_TRUE(registry.progIds().empty());

  try {
    registry.create("orvelTRX440.CPlugInTRX440");
    FAIL() << "an unknown ProgID created something";
  } catch (const ComError& error) {
    EXPECT_NE(error.description().find("orvelTRX440.CPlugInTRX440"), std::string::npos);
  }
}

TEST(ComponentRegistry, ReRegistrationReplacesAndUnregisterForgets) {
  ComponentRegistry registry;
  registry.registerClass("x.CThing", [] { return std::make_shared<Object>(); });
  std::shared_ptr<Object> fixed = std::make_shared<Object>();
  registry.registerClass("X.CTHING", [fixed] { return fixed; });
  EXPECT_EQ(registry.create("x.CThing"), fixed);
  EXPECT_EQ(registry.progIds(), std::vector<std::string>{"X.CTHING"});
  registry.registerClass("x.CNothing", [] { return std::shared_ptr<Object>(); });
  EXPECT_EQ(expectComError([&] { registry.create("x.CNothing"); }).number(),
            RuntimeError::ClassNotRegistered);
  registry.unregisterClass("x.cthing");
  EXPECT_FALSE(registry.isRegistered("x.CThing"));
}
