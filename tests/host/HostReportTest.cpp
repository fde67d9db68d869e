#include <gtest/gtest.h>

#include "host/HostReport.h"
#include "host/ReportRenderer.h"
#include "host/ReportTable.h"
#include "support/TestFiles.h"
#include "support/TestHost.h"

using host::ReportTable;
using Cell = ReportTable::Cell;

namespace {

Cell plain(const std::string& text) { return {text, false, false}; }
Cell title(const std::string& text) { return {text, true, true}; }

// A result table as the plug-in prints one: a title column, the reading and its limits.
void printResults(host::HostReport& report) {
  report.Table("<2240|>+1200|<600;", "|{\\i\\b Result:}|{\\i\\b Value}|{\\i\\b Unit};",
               "|      Earth leakage|12.5|µA;|      Patient <CF> & \"x\"|250.0|µA;"
               "|      Insulation|Fail|;");
}

}  // namespace

TEST(ReportTableTest, LayoutGivesAlignmentNumberRestAndWidthPerColumn) {
  auto columns = ReportTable::parseLayout("<560|<2240|>+1200|>+!2240;");
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].align, ReportTable::Align::Left);
  EXPECT_EQ(columns[1].width, 2240);
  EXPECT_TRUE(columns[2].number);
  EXPECT_EQ(columns[2].align, ReportTable::Align::Right);
  EXPECT_FALSE(columns[2].rest);
  EXPECT_TRUE(columns[3].rest);
  EXPECT_EQ(columns[3].width, 2240);
  EXPECT_TRUE(ReportTable::parseLayout(";").empty());
  EXPECT_EQ(ReportTable::parseLayout(">x|<99999999999;")[1].width, 0);
}

TEST(ReportTableTest, RowsSplitIntoCellsWithTitlesAndEmptyCells) {
  auto rows = ReportTable::parseRows("|{\\i\\b Result:}||{\\b Value};\r\n|a|(b) c|;Name|ECG;;");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (ReportTable::Row{title("Result:"), plain(""), Cell{"Value", true, false}}));
  EXPECT_EQ(rows[1], (ReportTable::Row{plain("a"), plain("(b) c"), plain("")}));
  EXPECT_EQ(rows[2], (ReportTable::Row{plain("Name"), plain("ECG")}));
}

TEST(ReportTableTest, BracesGroupSeparatorsOnlyWhenTheyAreClosed) {
  auto rows = ReportTable::parseRows("|{\\i\\b a|b; c}|d;");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], title("a|b; c"));
  EXPECT_EQ(ReportTable::parseCell("{abc}"), plain("{abc}"));
  EXPECT_EQ(ReportTable::parseCell("{\\i\\b }"), title(""));
  // A stray "{" in a description does not swallow the rows after it.
  rows = ReportTable::parseRows("|x{y|1;|z|2");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], plain("x{y"));
  EXPECT_EQ(rows[1][1], plain("2"));
}

TEST(HostReportTest, TextAlignsColumnsAndMarksFailedRows) {
  testing_host::TestHost host;
  host::HostReport report;
  printResults(report);
  EXPECT_EQ(report.text(),
            "  Result:                   Value  Unit\n"
            "        Earth leakage        12.5  µA\n"
            "        Patient <CF> & \"x\"  250.0  µA\n"
            "!       Insulation           Fail\n");
}

TEST(HostReportTest, HtmlEscapesTextRightAlignsNumbersAndShowsFailedRowsInRed) {
  testing_host::TestHost host;
  host::HostReport report;
  printResults(report);
  auto html = report.html("Tom's <report>");
  EXPECT_NE(html.find("<title>Tom&#39;s &lt;report&gt;</title>"), std::string::npos);
  EXPECT_NE(html.find("<th class=\"b i\">Result:</th>"), std::string::npos) << html;
  EXPECT_NE(html.find("<td>      Patient &lt;CF&gt; &amp; &quot;x&quot;</td>"
                      "<td class=\"r\">250.0</td><td>µA</td>"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("<tr class=\"failed\"><td>      Insulation</td>"), std::string::npos);
  EXPECT_EQ(html.find("<tr class=\"failed\"><td>      Earth"), std::string::npos);
  EXPECT_NE(html.find("<col style=\"width:80px\">"), std::string::npos);
}

TEST(HostReportTest, OnlyAWholeCellWithAFailWordMarksARow) {
  std::vector<ReportTable> none;
  host::ReportRenderer renderer(none, {"Fail", "Failed", "Nicht bestanden"});
  EXPECT_TRUE(renderer.isFailed({plain("x"), plain(" Nicht bestanden ")}));
  EXPECT_TRUE(renderer.isFailed({plain("Failed")}));
  EXPECT_FALSE(renderer.isFailed({plain("Failure detector"), plain("Pass")}));
  EXPECT_FALSE(renderer.isFailed({plain(""), plain("fail")}));
}

TEST(HostReportTest, AReadingBeyondTheLimitsOnItsRowIsMarkedAlsoOnItsContinuationRows) {
  host::HostReport report(host_api::ReportOption::LimitColumns);
  report.Table("<2240|>+1200|<600|>+1200|>+1200|<+2240;",
               "|{\\i\\b Result:}|{\\i\\b Value}|{\\i\\b Unit}|{\\i\\b High}"
               "|{\\i\\b Low}|{\\i\\b Standard};",
               "|RA|3.5|uA|10||A;||||2||B;"  // passes A, fails B (continuation row)
               "|LL|12.4|uA|10||A;"          // above the high limit
               "|PE|OL|Ohm|0.2||A;"          // over range fails a high limit
               "|IR|1.5|MOhm||2|A;"          // below the low limit
               "|IR|OL|MOhm||2|A;");         // over range passes a low limit
  const auto failed =
      host::ReportRenderer(report.tables(), {"Fail"}).failedRows(report.tables()[0]);
  EXPECT_EQ(failed, (std::vector<bool>{false, true, true, true, true, false}));
  EXPECT_NE(report.text().find("! "), std::string::npos);

  // Without limit columns a value alone is never judged.
  host::HostReport plainReport;
  plainReport.Table("<2240|>+1200;", "|{\\i\\b Result:}|{\\i\\b Value};", "|LL|12.4;");
  EXPECT_EQ(plainReport.text().find("! "), std::string::npos);
}

TEST(HostReportTest, TextsAreTranslatedForTheDomainAndSettingsGoWithTheNextTable) {
  testing_host::TestHost host;
  host::HostReport report(host_api::ReportOption::LimitColumns);
  EXPECT_EQ(report.GetText("TRX440", "231::Value"), "Value");
  EXPECT_EQ(host.application().calls.back().pluginId, "TRX440");
  EXPECT_EQ(report.Query(host_api::ReportQuery::UsableWidth), 9638);
  report.UsableWidth_let(14000);
  EXPECT_EQ(report.Query(host_api::ReportQuery::UsableWidth), 14000);
  EXPECT_EQ(report.Query(3), 0);
  report.Setting(7);
  report.Setting(0);
  report.Table("<100;", "", "|a;");
  report.Table("<100;", "", "|b;");
  EXPECT_EQ(report.tables()[0].settings, (std::vector<int32_t>{7, 0}));
  EXPECT_TRUE(report.tables()[1].settings.empty());
}

TEST(HostReportTest, ReplaceCharsWorksOnCharactersAndDropsThoseWithoutCounterpart) {
  host::HostReport report;
  EXPECT_EQ(report.ReplaceChars("a|b;{c}", "|;{}", " ,()"), "a b,(c)");
  EXPECT_EQ(report.ReplaceChars("5 µA|x", "µ|", "u"), "5 uAx");
  EXPECT_EQ(report.ReplaceChars("Ω", "|", " "), "Ω");
}

TEST(HostReportTest, TheReportIsSavedAsTextAndHtml) {
  testing_host::TestHost host;
  TempDir dir;
  host::HostReport report;
  printResults(report);
  report.saveText(dir / "report.txt");
  report.saveHtml(dir / "report.html");
  std::ifstream text(dir / "report.txt");
  std::string first;
  std::getline(text, first);
  EXPECT_EQ(first, "  Result:                   Value  Unit");
  EXPECT_TRUE(std::filesystem::file_size(dir / "report.html") > 100u);
}
