// The plug-in entry before and around its catalogue: identity, icons, and what a technician
// sees when the catalogue file is missing or broken.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "EntryTestHost.h"
#include "platform/ComError.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/entry/CPlugInTRX440.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/ExpectError.h"

namespace {

using plugin::CPlugInTRX440;
namespace Errors = plugin::MPlugInErrors;

class PlugInEntry : public EntryTestHost {
 protected:
  void useCatalogue(const std::string& path) {
    key(kSettingsKey)->WriteText("Configuration", path);
  }

  // Points the settings at a catalogue file with `content` and returns its path.
  std::string catalogueWith(const std::string& content) {
    auto path = (dir / "catalogue.mpc").string();
    std::ofstream(path) << content;
    useCatalogue(path);
    return path;
  }

  platform::ComError initializeError() {
    return expectComError([&] { entry->Initialize(nullptr); });
  }
};

TEST_F(PlugInEntry, IdentityAnswersBeforeInitialize) {
  EXPECT_EQ(entry->ID_get(), "TRX440");
  EXPECT_EQ(entry->Name_get(), "TRX440 Safety Analyzer");
  EXPECT_EQ(entry->Flags_get(), 0);
  EXPECT_EQ(entry->ControlPanel_get(), nullptr);
  EXPECT_EQ(entry->PlugInMenu_get(), nullptr);
  auto version = entry->Version_get();
  EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 2) << version;
}

TEST_F(PlugInEntry, CatalogueAndSettingsAreRefusedUntilInitialized) {
  EXPECT_EQ(expectComError([&] { entry->Tests_get(); }).number(), Errors::errNotInitialized);
  EXPECT_EQ(expectComError([&] { entry->Setup_get(); }).number(), Errors::errNotInitialized);
  EXPECT_EQ(entry->CreateTest(300), nullptr);
  EXPECT_EQ(plugin::PlugIn(), nullptr);
}

TEST_F(PlugInEntry, IconsFollowTestIdAndSize) {
  auto name = [&](int32_t id, int32_t size) {
    auto icon = entry->Icon(id, size, 0);
    return icon ? icon->name : std::string("(none)");
  };
  EXPECT_EQ(name(0, 0), "TRX440(16X16)");
  EXPECT_EQ(name(0, 1), "TE:ITEM:32X16");
  EXPECT_EQ(name(0, 2), "TRX440(32X32)");
  EXPECT_EQ(name(100, 0), "TE:GROUP:16X16");
  EXPECT_EQ(name(1800, 1), "TE:GROUP:32X16");
  EXPECT_EQ(name(810, 0), "TE:ITEM:16X16");
  EXPECT_EQ(name(1900, 0), "TE:ECG:16X16");
  EXPECT_EQ(name(1900, 1), "TE:ECG:32X16");
  EXPECT_EQ(name(1900, 2), "TRX440(32X32)");
  EXPECT_EQ(name(300, 3), "(none)");
  EXPECT_EQ(name(300, -1), "(none)");
}

TEST_F(PlugInEntry, EveryPictureTheSystemNamesLiesBesideTheLibrary) {
  for (int32_t id : {0, 100, 300, 1900}) {
    for (int32_t size : {0, 1, 2}) {
      auto icon = entry->Icon(id, size, 0);
      ASSERT_TRUE(icon);
      EXPECT_TRUE(std::filesystem::is_regular_file(icon->file)) << icon->file;
    }
  }
  auto folder = std::filesystem::path(entry->Icon(0, 0, 0)->file).parent_path();
  for (const char* name : {"PROG:CHECK", "PROG:FAILED", "PROG:RUNNING", "RESULT:CHECK",
                           "RESULT:UNCHECK", "TG:MODSETUP", "XMF:FILTER"}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / (std::string(name) + ".svg"))) << name;
  }
}

TEST_F(PlugInEntry, MissingCatalogueNamesTheFileAndLeavesTheEntryUninitialized) {
  auto path = (dir / "nowhere.mpc").string();
  useCatalogue(path);
  auto error = initializeError();
  EXPECT_EQ(error.number(), Errors::errCatalogueNotFound);
  EXPECT_NE(error.description().find(path), std::string::npos) << error.description();
  EXPECT_EQ(expectComError([&] { entry->Tests_get(); }).number(), Errors::errNotInitialized);
  EXPECT_EQ(plugin::PlugIn(), nullptr);
}

TEST_F(PlugInEntry, MalformedCatalogueSaysWhereTheXmlBreaks) {
  auto path = catalogueWith("<Catalogue><TemplateData><TestElement></Catalogue>");
  auto error = initializeError();
  EXPECT_NE(error.description().find("line 1"), std::string::npos) << error.description();
  EXPECT_NE(error.description().find(path), std::string::npos) << error.description();
}

TEST_F(PlugInEntry, CatalogueWithoutElementsOrWithUnknownContentIsRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"<Catalogue/>", "TemplateData"},
      {"<Catalogue><TemplateData/></Catalogue>", "empty"},
      {"<Catalogue><TemplateData><TestElement ClassName=\"orvelTRX440.CTestWhat\" ID=\"5\"/>"
       "</TemplateData></Catalogue>",
       "CTestWhat"},
      {"<Catalogue><TemplateData><TestElement ClassName=\"orvelTRX440.CTestSingle\" ID=\"\"/>"
       "</TemplateData></Catalogue>",
       "no ID"},
  };
  for (const auto& [content, said] : cases) {
    auto path = catalogueWith(content);
    auto error = initializeError();
    EXPECT_EQ(error.number(), Errors::errCatalogueContent) << content;
    EXPECT_NE(error.description().find(said), std::string::npos) << error.description();
    EXPECT_NE(error.description().find(path), std::string::npos) << error.description();
  }
}

TEST_F(PlugInEntry, AnElementUnderAGroupItMayNotJoinIsRefusedWithBothIds) {
  auto path = catalogueWith(
      "<Catalogue><TemplateData>"
      "<TestElement ClassName=\"orvelTRX440.CTestGroup\" ID=\"1100\">"
      "<TestElement ClassName=\"orvelTRX440.CTestSingle\" ID=\"1010\"/>"
      "</TestElement></TemplateData></Catalogue>");
  auto error = initializeError();
  EXPECT_NE(error.description().find("1010"), std::string::npos) << error.description();
  EXPECT_NE(error.description().find("1100"), std::string::npos) << error.description();
  EXPECT_NE(error.description().find(path), std::string::npos) << error.description();
  EXPECT_EQ(expectComError([&] { entry->Tests_get(); }).number(), Errors::errNotInitialized);
}

}  // namespace
