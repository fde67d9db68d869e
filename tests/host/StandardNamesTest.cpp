#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/HostLimitStandard.h"
#include "host/StandardNames.h"

namespace {

using host::StandardNames::idOf;

TEST(StandardNames, EveryNameOfTheTableLeadsBackToItsOwnId) {
  ASSERT_EQ(host::StandardNames::all().size(), 8u);
  for (const auto& [id, name] : host::StandardNames::all()) {
    EXPECT_EQ(host::StandardNames::name(id), name);
    EXPECT_EQ(idOf(name), id) << name;
  }
  EXPECT_EQ(host::StandardNames::name(0), std::nullopt);
  EXPECT_EQ(host::StandardNames::name(9), std::nullopt);
}

TEST(StandardNames, TextsAsPeopleWriteThemFindTheirStandard) {
  EXPECT_EQ(idOf("IEC 62353:2014"), 4);
  EXPECT_EQ(idOf("iec 60601-1"), 2);
  EXPECT_EQ(idOf("EN60601-1:2006"), 2);
  EXPECT_EQ(idOf("IEC 61010-1 (lab equipment)"), 3);
  EXPECT_EQ(idOf("NFPA 99"), 1);
  EXPECT_EQ(idOf("as/nzs 3551:2012"), 5);
  EXPECT_EQ(idOf("VDE 0751-1"), 7);
  EXPECT_EQ(idOf("db9801s1"), 8);
  // Recurrent tests of a device built to 60601 are still judged by 62353.
  EXPECT_EQ(idOf("IEC 62353 (device built to IEC 60601-1)"), 4);
}

TEST(StandardNames, AamiEs60601IsNeitherIec60601NorNfpa) {
  EXPECT_EQ(idOf("AAMI ES60601-1"), 6);
  EXPECT_EQ(idOf("ANSI/AAMI ES 60601-1:2005"), 6);
  EXPECT_EQ(idOf("ES60601-1"), 6);
  // The letters only count as the start of the name, not as the end of another word.
  EXPECT_EQ(idOf("IEC series 60601-1"), 2);
}

TEST(StandardNames, TextsNamingNoStandardGiveNothing) {
  EXPECT_EQ(idOf(""), std::nullopt);
  EXPECT_EQ(idOf(" - "), std::nullopt);
  EXPECT_EQ(idOf("ISO 9001"), std::nullopt);
  EXPECT_EQ(idOf("AAMI"), std::nullopt);
  EXPECT_EQ(idOf("IEC 6235"), std::nullopt);
}

TEST(StandardNames, LimitStandardsShowTheTableNames) {
  EXPECT_EQ(host::HostLimitStandard::standardName(6), "AAMI ES60601-1");
  EXPECT_EQ(host::HostLimitStandard::standardName(4), "IEC 62353");
  EXPECT_EQ(host::HostLimitStandard::standardName(42), "Standard 42");
  host::HostLimitStandard standard;
  standard.Initialize(7, "II", 1);
  EXPECT_EQ(standard.Name_get(), "VDE 751.1 II");
}

}  // namespace
