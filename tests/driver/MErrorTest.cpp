#include "driver/MError.h"

#include <gtest/gtest.h>

#include "driver/MResources.h"
#include "platform/ComError.h"
#include "support/TestHost.h"

using namespace vti;

namespace {

platform::ComError raised(int32_t number, const std::string& description = {},
                          const platform::Parameters& params = {}) {
  try {
    MError::RaiseVtiError(number, "CTest", description, params);
  } catch (const platform::ComError& e) {
    return e;
  }
  ADD_FAILURE() << "RaiseVtiError returned";
  return platform::ComError(0, "", "");
}

}  // namespace

TEST(VtiErrors, TheDriversRangeIsThirtyNumbers) {
  EXPECT_TRUE(MError::IsVtiError(errVTI_Error));
  EXPECT_TRUE(MError::IsVtiError(kVtiErrorRangeEnd - 1));
  EXPECT_FALSE(MError::IsVtiError(kVtiErrorRangeEnd));
  EXPECT_FALSE(MError::IsVtiError(errVTI_Error - 1));
  EXPECT_FALSE(MError::IsVtiError(13));
}

TEST(RaiseVtiError, LoadsTheMessageOfTheNumberAndFillsItsPlaceholders) {
  testing_host::TestHost host;
  auto e = raised(errVTI_NotOpen, {}, {int32_t(3)});
  EXPECT_EQ(e.number(), errVTI_NotOpen);
  EXPECT_EQ(e.source(), "CTest");
  EXPECT_EQ(e.description(), "Can not open port 3");
  ASSERT_EQ(host.application().calls.size(), 1u);
  EXPECT_EQ(host.application().calls[0].pluginId, "TRX440");
  EXPECT_EQ(host.application().calls[0].text, "21901::Can not open port %%1");

  EXPECT_EQ(raised(errVTI_NoReply, {}, {int32_t(4)}).description(), "No reply on COM 4.");
  EXPECT_EQ(raised(errVTI_InvalidTest, {}, {int32_t(16), int32_t(2), int32_t(-1)}).description(),
            "The selected test (TestNo = 16, Power Config = 2, Lead No = -1) is not a valid "
            "TRX440 test and cannot be performed.");
}

TEST(RaiseVtiError, AGivenDescriptionIsTranslatedInsteadOfTheStoredMessage) {
  testing_host::TestHost host;
  auto e = raised(errVTI_TrxError, "21911::Cannot null");
  EXPECT_EQ(e.description(), "Cannot null");
}

TEST(RaiseVtiError, NumbersWithoutStoredTextCarryAnEmptyText) {
  testing_host::TestHost host;
  EXPECT_EQ(raised(errVTI_Error).description(), "");
  EXPECT_EQ(raised(errVTI_UserAbort).description(), "");
  EXPECT_EQ(raised(errVTI_InvalidPort).description(), "");
}

TEST(RaiseVtiError, WithoutAHostTheEnglishTextIsRaised) {
  host_api::HostServicesOverride noHost(nullptr);
  auto e = raised(errVTI_AlreadyOpen, {}, {int32_t(2)});
  EXPECT_EQ(e.number(), errVTI_AlreadyOpen);
  EXPECT_EQ(e.description(), "The channel is already open on port 2.");
}

TEST(DriverStrings, LineBreaksAreKeptAsStored) {
  // The micro-sequence message keeps "\n" as two characters until it is shown; the unknown-error
  // message carries a real CR LF.
  EXPECT_NE(MResources::LoadResString(905).find("invalid. The test cannot be run.\\n\\nMicro"),
            std::string::npos);
  EXPECT_EQ(MResources::LoadResString(21900),
            "21900::Unknown error number %%1 occured.\r\nDescription: %%2");
  EXPECT_EQ(MResources::LoadResString(21101), "21101::DC");
  EXPECT_EQ(MResources::LoadResString(900), "");
  EXPECT_EQ(MResources::LoadResString(12345), "");
}

TEST(DriverStrings, ParserSkipsCommentsAndMalformedLines) {
  auto table = MResources::ParseStringTable(
      "# comment\n\n  7\tseven  \r\n12ab not an entry\n8 eight\\r\\nlines\nx 9\n");
  EXPECT_EQ(table.size(), 2u);
  EXPECT_EQ(table.at(7), "seven");
  EXPECT_EQ(table.at(8), "eight\r\nlines");
}

TEST(InstrumentErrors, DocumentedCodesHaveTheirTexts) {
  const std::pair<int32_t, const char*> expected[] = {
      {33, "21911::Cannot null"},
      {34, "21912::Reading out of calibration"},
      {40, "21913::Over temperature"},
      {50, "21914::Ground Fault Interrupt tripped"},
      {51, "21915::Over voltage detected"},
      {52, "21916::Unit out of calibration"},
      {54, "21917::Open ground"},
      {57, "21918::The instrument needs to wait before performing additional 25A tests."},
  };
  for (const auto& [code, text] : expected) EXPECT_EQ(MError::InstrumentErrorText(code), text);
  for (int32_t code : {21, 22, 32, 35, 53, 0, -33}) {
    EXPECT_FALSE(MError::InstrumentErrorText(code)) << code;
  }
}

TEST(InstrumentErrors, ControlCharactersAreEscapedForMessages) {
  EXPECT_EQ(MError::EscapeControlChars("!1\x1b[2J\r\n\x07\xff ok"),
            "!1<ESC>[2J<CR><LF><0x07><0xFF> ok");
}
