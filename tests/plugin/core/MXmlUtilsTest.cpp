#include <gtest/gtest.h>

#include "host/HostXmlService.h"
#include "platform/ComError.h"
#include "plugin/core/MXmlUtils.h"
#include "support/GermanLocale.h"

using namespace plugin;

namespace {
class MXmlUtilsTest : public ::testing::Test {
 protected:
  host::HostXmlService xml;
  std::shared_ptr<host_api::IXmlDocument> doc = xml.createDocument();
  std::shared_ptr<host_api::IXmlElement> element = doc->createElement("TestOptions");
};
}  // namespace

TEST_F(MXmlUtilsTest, ReadIntegerRoundsTheLeadingNumberHalvesToEven) {
  const std::pair<const char*, int32_t> cases[] = {{"12.5", 12}, {"13.5", 14}, {"7abc", 7},
                                                   {"-2.5", -2}, {" 42", 42},  {"2.6", 3},
                                                   {"1e3", 1000}};
  for (const auto& [text, expected] : cases) {
    element->setAttribute("Value", text);
    EXPECT_EQ(MXmlUtils::ReadInteger(*element, "Value", 99), expected) << text;
  }
}

TEST_F(MXmlUtilsTest, ReadIntegerGivesTheDefaultWithoutANumber) {
  EXPECT_EQ(MXmlUtils::ReadInteger(*element, "Absent", 5), 5);
  element->setAttribute("Value", "");
  EXPECT_EQ(MXmlUtils::ReadInteger(*element, "Value", -7), -7);
  element->setAttribute("Value", "abc");
  EXPECT_EQ(MXmlUtils::ReadInteger(*element, "Value", 3), 3);
  element->setAttribute("Value", "99999999999");
  try {
    MXmlUtils::ReadInteger(*element, "Value", 0);
    ADD_FAILURE() << "an integer beyond 32 bits must not be cut";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), platform::RuntimeError::Overflow);
  }
}

TEST_F(MXmlUtilsTest, ReadBooleanIsTrueOnlyForExactlyTrueExceptAnAbsentOverride) {
  element->setAttribute("Halt", "true");
  EXPECT_FALSE(MXmlUtils::ReadBoolean(*element, "Halt"));
  element->setAttribute("Halt", "True");
  EXPECT_TRUE(MXmlUtils::ReadBoolean(*element, "Halt"));
  element->setAttribute("Halt", "-1");
  EXPECT_FALSE(MXmlUtils::ReadBoolean(*element, "Halt"));

  EXPECT_TRUE(MXmlUtils::ReadBoolean(*element, "Override"));
  EXPECT_FALSE(MXmlUtils::ReadBoolean(*element, "Other"));
  element->setAttribute("Override", "");
  EXPECT_TRUE(MXmlUtils::ReadBoolean(*element, "Override"));
  element->setAttribute("Override", "False");
  EXPECT_FALSE(MXmlUtils::ReadBoolean(*element, "Override"));
}

TEST_F(MXmlUtilsTest, WrittenValuesAreReadBack) {
  MXmlUtils::WriteInteger(*element, "Negative", -3);
  MXmlUtils::WriteInteger(*element, "Positive", 5);
  MXmlUtils::WriteBoolean(*element, "On", true);
  MXmlUtils::WriteBoolean(*element, "Off", false);
  EXPECT_EQ(element->getAttribute("Negative"), "-3");
  EXPECT_EQ(element->getAttribute("Positive"), "5");
  EXPECT_EQ(element->getAttribute("On"), "True");
  EXPECT_EQ(element->getAttribute("Off"), "False");
  EXPECT_EQ(MXmlUtils::ReadInteger(*element, "Negative", 0), -3);
  EXPECT_TRUE(MXmlUtils::ReadBoolean(*element, "On"));
  EXPECT_FALSE(MXmlUtils::ReadBoolean(*element, "Off"));
}

TEST_F(MXmlUtilsTest, IdentitiesAndCountsAreTruncatedNotRounded) {
  const std::pair<const char*, int32_t> cases[] = {{"2.9", 2},   {"12.5", 12}, {"13.5", 13},
                                                   {"-2.9", -2}, {"7abc", 7},  {"3", 3}};
  for (const auto& [text, expected] : cases) {
    element->setAttribute("FirstLead", text);
    EXPECT_EQ(MXmlUtils::ReadTruncatedInteger(*element, "FirstLead", 1), expected) << text;
  }
  EXPECT_EQ(MXmlUtils::ReadTruncatedInteger(*element, "Leads", 4), 4);
  element->setAttribute("Class", "x");
  EXPECT_EQ(MXmlUtils::ReadTruncatedInteger(*element, "Class", 2), 2);
  element->setAttribute("ID", "3e10");
  EXPECT_THROW(MXmlUtils::ReadTruncatedInteger(*element, "ID", 0), platform::ComError);
}

TEST_F(MXmlUtilsTest, ANumericFlagIsTrueForAnyNumberButZero) {
  const std::pair<const char*, bool> cases[] = {{"-1", true},    {"0", false},   {"0.4", true},
                                                {"-0.0", false}, {"1abc", true}, {"0x1", false}};
  for (const auto& [text, expected] : cases) {
    element->setAttribute("SkipCalibration", text);
    EXPECT_EQ(MXmlUtils::ReadNumericBoolean(*element, "SkipCalibration", !expected), expected)
        << text;
  }
  EXPECT_TRUE(MXmlUtils::ReadNumericBoolean(*element, "Absent", true));
  element->setAttribute("SkipCalibration", "True");  // not a number: the default
  EXPECT_FALSE(MXmlUtils::ReadNumericBoolean(*element, "SkipCalibration", false));
  MXmlUtils::WriteNumericBoolean(*element, "SkipCalibration", true);
  EXPECT_EQ(element->getAttribute("SkipCalibration"), "-1");
  MXmlUtils::WriteNumericBoolean(*element, "SkipCalibration", false);
  EXPECT_EQ(element->getAttribute("SkipCalibration"), "0");
}

TEST_F(MXmlUtilsTest, NumbersReadTheSameUnderAGermanLocale) {
  ScopedGermanLocale german;
  SKIP_UNLESS_INSTALLED(german);
  element->setAttribute("Value", "13.5");
  EXPECT_EQ(MXmlUtils::ReadInteger(*element, "Value", 0), 14);
  EXPECT_EQ(MXmlUtils::ReadTruncatedInteger(*element, "Value", 0), 13);
  element->setAttribute("Value", "0.4");
  EXPECT_TRUE(MXmlUtils::ReadNumericBoolean(*element, "Value", false));
  MXmlUtils::WriteInteger(*element, "Value", -1234);
  EXPECT_EQ(element->getAttribute("Value"), "-1234");
}
