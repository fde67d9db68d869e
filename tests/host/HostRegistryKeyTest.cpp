#include <gtest/gtest.h>

#include <functional>

#include "host/HostRegistryKey.h"
#include "platform/ComError.h"
#include "support/GermanLocale.h"
#include "support/TestFiles.h"

using host::HostRegistryKey;
using host_api::RegistryRoot::LocalMachine;

namespace {
const char* const PlugInKey = "Software\\Tavik\\orvel\\TRX440";

class HostRegistryKeyTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path file = dir / "config" / "registry.ini";
};

int32_t expectComError(const std::function<void()>& action, const std::string& mentions) {
  try {
    action();
  } catch (const platform::ComError& error) {
    EXPECT_NE(error.description().find(mentions), std::string::npos) << error.description();
    return error.number();
  }
  ADD_FAILURE() << "no error";
  return 0;
}
}  // namespace

TEST_F(HostRegistryKeyTest, ValuesWrittenByOneKeyAreReadByAnotherAndByAPerson) {
  HostRegistryKey writer(file);
  EXPECT_FALSE(writer.Open(LocalMachine, PlugInKey));
  ASSERT_TRUE(writer.Open(LocalMachine, PlugInKey, true));
  writer.WriteLong("Nomenclature", 1);
  writer.WriteInteger("PolarityDelay", -3);
  writer.WriteText("Port", "  /dev/ttyUSB0 ");

  EXPECT_EQ(readFile(file),
            "[HKLM\\Software\\Tavik\\orvel\\TRX440]\nNomenclature=1\nPolarityDelay=-3\n"
            "Port=\"  /dev/ttyUSB0 \"\n");

  HostRegistryKey reader(file);
  // Registry names do not depend on case, and a doubled separator names the same key.
  ASSERT_TRUE(reader.Open(LocalMachine, "software\\tavik\\\\orvel\\trx440\\"));
  EXPECT_EQ(reader.ReadLong("nomenclature"), 1);
  EXPECT_EQ(reader.ReadInteger("PolarityDelay"), -3);
  EXPECT_EQ(reader.ReadText("Port"), "  /dev/ttyUSB0 ");
  EXPECT_EQ(reader.ReadText("Missing"), std::nullopt);
}

TEST_F(HostRegistryKeyTest, APersonsEditsAndCommentsSurviveWrites) {
  std::filesystem::create_directories(file.parent_path());
  writeFile(file,
            "; settings of this bench\n"
            "[HKLM\\Software\\Tavik\\\\orvel\\Executive\\System\\]\n"
            "Test guide settings = 9\n"
            "\n"
            "# the analyzer\n"
            "[HKLM\\Software\\Tavik\\orvel\\TRX440]\n"
            "PolarityDelay=2\n");
  HostRegistryKey system(file);
  ASSERT_TRUE(system.Open(LocalMachine, "Software\\Tavik\\orvel\\Executive\\System"));
  EXPECT_EQ(system.ReadLong("Test guide settings"), 9);
  system.WriteLong("Test guide settings", 12);
  system.WriteText("Language", "de");

  EXPECT_EQ(readFile(file),
            "; settings of this bench\n"
            "[HKLM\\Software\\Tavik\\\\orvel\\Executive\\System\\]\n"
            "Test guide settings=12\n"
            "Language=de\n"
            "\n"
            "# the analyzer\n"
            "[HKLM\\Software\\Tavik\\orvel\\TRX440]\n"
            "PolarityDelay=2\n");
}

TEST_F(HostRegistryKeyTest, KeysExistThroughTheirSubkeysAndOnlyUnderTheirRoot) {
  HostRegistryKey key(file);
  ASSERT_TRUE(key.Open(LocalMachine, PlugInKey, true));
  EXPECT_TRUE(key.Open(LocalMachine, "Software\\Tavik"));
  EXPECT_FALSE(key.Open(LocalMachine, "Software\\Tav"));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(key.Open(host_api::RegistryRoot::CurrentUser, PlugInKey));
  EXPECT_FALSE(key.Open(0x80000009, PlugInKey, true));
  EXPECT_EQ(key.ReadText("Anything"), std::nullopt);
  EXPECT_EQ(expectComError([&] { key.WriteText("Nomenclature", "1"); }, "not open"),
            platform::RuntimeError::InvalidProcedureCall);
}

TEST_F(HostRegistryKeyTest, NumericReadsGiveNothingForTextThatIsNoNumberOfTheirSize) {
  HostRegistryKey key(file);
  ASSERT_TRUE(key.Open(LocalMachine, PlugInKey, true));
  key.WriteText("Word", "abc");
  key.WriteText("Partly", "7abc");
  key.WriteText("Big", "70000");
  key.WriteText("Hex", "0x1F");
  EXPECT_EQ(key.ReadLong("Word"), std::nullopt);
  EXPECT_EQ(key.ReadLong("Partly"), std::nullopt);
  EXPECT_EQ(key.ReadLong("Big"), 70000);
  EXPECT_EQ(key.ReadInteger("Big"), std::nullopt);
  EXPECT_EQ(key.ReadInteger("Hex"), 31);
  key.WriteInteger("Low", INT16_MIN);
  EXPECT_EQ(key.ReadInteger("Low"), INT16_MIN);
  for (const char* notANumber : {"inf", "nan", "+", "1,5"}) {
    key.WriteText("Odd", notANumber);
    EXPECT_EQ(key.ReadLong("Odd"), std::nullopt) << notANumber;
  }
}

namespace {
// Numbers written by a tool that puts a point in every number are still numbers.
void expectNumbersWithAFractionRead(HostRegistryKey& key) {
  const std::pair<const char*, int32_t> cases[] = {{"1.0", 1}, {" 9.0 ", 9}, {"4.5", 4},
                                                   {"5.5", 6}, {"-2.0", -2}, {"1e1", 10}};
  for (const auto& [text, expected] : cases) {
    key.WriteText("Test guide settings", text);
    EXPECT_EQ(key.ReadLong("Test guide settings"), expected) << text;
    EXPECT_EQ(key.ReadInteger("Test guide settings"), expected) << text;
  }
  key.WriteText("Test guide settings", "32767.6");
  EXPECT_EQ(key.ReadInteger("Test guide settings"), std::nullopt);
}
}  // namespace

TEST_F(HostRegistryKeyTest, NumbersWithAFractionReadAsTheNearestWholeNumber) {
  HostRegistryKey key(file);
  ASSERT_TRUE(key.Open(LocalMachine, PlugInKey, true));
  expectNumbersWithAFractionRead(key);
}

using HostRegistryKeyUnderGermanLocale = HostRegistryKeyTest;

TEST_F(HostRegistryKeyUnderGermanLocale, NumbersWithAFractionStillReadWithThePoint) {
  ScopedGermanLocale german;
  SKIP_UNLESS_INSTALLED(german);
  HostRegistryKey key(file);
  ASSERT_TRUE(key.Open(LocalMachine, PlugInKey, true));
  expectNumbersWithAFractionRead(key);
}

TEST_F(HostRegistryKeyTest, AMalformedFileIsReportedWithItsLineAndNeverOverwritten) {
  std::filesystem::create_directories(file.parent_path());
  const std::string broken =
      "[HKLM\\Software\\Tavik\\orvel\\TRX440]\nNomenclature=1\nthis line is no setting\n";
  writeFile(file, broken);
  HostRegistryKey key(file);
  EXPECT_EQ(expectComError([&] { key.Open(LocalMachine, PlugInKey, true); }, "line 3"),
            platform::RuntimeError::InvalidFileFormat);
  EXPECT_EQ(readFile(file), broken);

  for (const char* bad :
       {"Orphan=1\n", "[HKLM\\Software\n", "[HKXX\\Software]\n", "[HKLM]\n=5\n"}) {
    writeFile(file, bad);
    EXPECT_EQ(expectComError([&] { key.Open(LocalMachine, "Software"); }, file.string()),
              platform::RuntimeError::InvalidFileFormat)
        << bad;
  }
}

TEST_F(HostRegistryKeyTest, AnUnreadableFileIsAClearError) {
  std::filesystem::create_directories(file);  // a folder where the file should be
  HostRegistryKey key(file);
  EXPECT_EQ(expectComError([&] { key.Open(LocalMachine, PlugInKey); }, file.string()),
            platform::RuntimeError::PathFileAccess);
}

TEST_F(HostRegistryKeyTest, AValueThatCannotBeStoredLeavesTheFileAsItWas) {
  HostRegistryKey key(file);
  ASSERT_TRUE(key.Open(LocalMachine, PlugInKey, true));
  key.WriteText("Name", "old");
  const std::string before = readFile(file);
  EXPECT_THROW(key.WriteText("Name", "two\nlines"), platform::ComError);
  EXPECT_THROW(key.WriteText("A=B", "x"), platform::ComError);
  EXPECT_EQ(readFile(file), before);
}

TEST_F(HostRegistryKeyTest, AnInterruptedWriteLeavesTheOldFileAndNoTemporaryFile) {
  HostRegistryKey key(file);
  ASSERT_TRUE(key.Open(LocalMachine, PlugInKey, true));
  key.WriteText("Name", "old");
  const std::string before = readFile(file);
  {
    FileSizeLimit limit(before.size() + 10);
    EXPECT_EQ(expectComError([&] { key.WriteText("Name", std::string(200, 'x')); }, file.string()),
              platform::RuntimeError::PathFileAccess);
  }
  EXPECT_EQ(readFile(file), before);
  EXPECT_EQ(TempDir::entriesOf(file.parent_path()), std::vector<std::string>{"registry.ini"});
}
