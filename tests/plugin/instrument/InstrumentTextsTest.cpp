#include <gtest/gtest.h>

#include "driver/TrxTypes.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "support/TestHost.h"

using namespace plugin;
using Entries = std::vector<std::pair<std::string, std::string>>;

TEST(StandardFromHost, TheFirstEntryNotNamedOrvelNamesTheStandardWhateverItsCaseOrYear) {
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"Standard", "IEC 62353:2014"}}), vti::ets353);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"Standard", "iec 60601-1 ed. 3.1"}}), vti::ets601);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"Orvel", "AS/NZS 3551"}, {"Std", "IEC 62353"}}),
            vti::ets353);
  // Only the first such entry counts, even when a later one names a standard.
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"Std", "house rules"}, {"Other", "IEC 62353"}}),
            vti::etsNONE);
}

TEST(StandardFromHost, MoreSpecificNamesWinOverTheIecNamesTheyContain) {
  // "AAMI ES60601-1" contains "60601" but is the AAMI standard for the analyzer.
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"S", "ANSI/AAMI ES60601-1:2005"}}), vti::etsAAMI);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"S", "AAMI/NFPA-99"}}), vti::etsAAMI);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"S", "AS/NZS 3551:2012"}}), vti::etsASNZ);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"S", "VDE 751.1"}}), vti::ets601);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"S", "db9801s1"}}), vti::ets601);
}

TEST(StandardFromHost, NoUsableEntryGivesMinusOne) {
  EXPECT_EQ(MGlobalVTI::StandardFromHost({}), -1);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"Orvel", "IEC 62353"}}), -1);
  EXPECT_EQ(MGlobalVTI::StandardFromHost({{"Standard", ""}}), -1);
}

TEST(LeadTexts, SocketsOutsideTheAnalyzerHaveNoNameButKeepTheirPlaceInALeadList) {
  EXPECT_EQ(MGlobalVTI::LeadName(0), "ALL");
  EXPECT_EQ(MGlobalVTI::LeadName(5), "V1");
  EXPECT_EQ(MGlobalVTI::LeadName(6), "");
  EXPECT_EQ(MGlobalVTI::LeadName(-1), "");
  EXPECT_EQ(MGlobalVTI::LeadList({1, 6, 3}), "RA,,LA");
  EXPECT_EQ(MGlobalVTI::LeadList({1, 2, 3}, 2), "RA,LA");
  EXPECT_EQ(MGlobalVTI::LeadList({2}, 2), "");
}

TEST(LeadTexts, OtherLeadsNamesTheSocketsUpToTheCountThatAreNotInUse) {
  EXPECT_EQ(MGlobalVTI::OtherLeads({2, 4}, 5), "RA,LA,V1");
  EXPECT_EQ(MGlobalVTI::OtherLeads({}, 3), "RA,LL,LA");
  EXPECT_EQ(MGlobalVTI::OtherLeads({1, 2, 3}, 3), "");
  // Socket 1 is in use; a socket 11 would not make it so.
  EXPECT_EQ(MGlobalVTI::OtherLeads({11}, 2), "RA,LL");
}

TEST(LeadTexts, WaveformNamesAreTranslatedAndAnUnknownOneIsEmpty) {
  testing_host::TestHost host;
  EXPECT_EQ(MGlobalVTI::WaveformName(vti::ewt_Complex30BPM), "Complex 30 BPM");
  EXPECT_EQ(MGlobalVTI::WaveformName(vti::ewt_Vfib), "Vfib");
  EXPECT_EQ(MGlobalVTI::WaveformName(16), "");
  ASSERT_EQ(host.application().calls.size(), 3u);
  EXPECT_EQ(host.application().calls[0].pluginId, "TRX440");
  EXPECT_EQ(host.application().calls[1].text, "20419::Vfib");
}
