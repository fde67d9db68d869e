#include <gtest/gtest.h>

#include "platform/components/ComponentRegistry.h"
#include "support/InstalledHost.h"
#include "support/TestHost.h"

namespace {

// Every class a plug-in may ask the host for makes an object.
void expectEveryClass(const host_api::HostClasses& classes) {
  EXPECT_TRUE(classes.newItemCollection && classes.newItemCollection());
  EXPECT_TRUE(classes.newLimit && classes.newLimit());
  EXPECT_TRUE(classes.newLimitList && classes.newLimitList());
  EXPECT_TRUE(classes.newLimitStandard && classes.newLimitStandard());
  EXPECT_TRUE(classes.newStandards && classes.newStandards());
  EXPECT_TRUE(classes.newTestContainer && classes.newTestContainer());
  EXPECT_TRUE(classes.newElementCore && classes.newElementCore());
  EXPECT_TRUE(classes.newContainerCore && classes.newContainerCore());
  EXPECT_TRUE(classes.newTestInformation && classes.newTestInformation());
  EXPECT_TRUE(classes.newElementFilter && classes.newElementFilter());
  EXPECT_TRUE(classes.newTestGuideConfig && classes.newTestGuideConfig());
}

class HostClassesInstallerTest : public InstalledHost {};

}  // namespace

TEST_F(HostClassesInstallerTest, TheInstalledHostOffersEveryClassAndItsLimitEditor) {
  expectEveryClass(host_api::hostServices().classes);
  EXPECT_TRUE(platform::components::components().isRegistered("OrvelView.XLimitView"));
}

TEST(TestHostClassesTest, TheTestsHostOffersTheRealClassesToo) {
  testing_host::TestHost host;
  expectEveryClass(host_api::hostServices().classes);
}
