#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "SimConnection.h"
#include "driver/FStopOnPC.h"
#include "driver/FWaitOnPC.h"
#include "driver/MError.h"
#include "driver/MResources.h"
#include "driver/StringTableSource.h"
#include "host/MessageCatalog.h"
#include "platform/MessageText.h"

namespace {

// The shipped German catalogue, read from the source tree the tests were built from.
host::MessageCatalog germanCatalogue() {
  const char* root = std::getenv("ORVEL_SOURCE_DIR");
  if (!root) throw std::runtime_error("ORVEL_SOURCE_DIR is not set");
  auto file = std::filesystem::path(root) / "resources" / "lang" / "de.txt";
  if (!std::filesystem::exists(file)) throw std::runtime_error("missing " + file.string());
  return host::MessageCatalog::load(file);
}

// What a translation must carry over from its original: every placeholder, as often as it
// stands there, and the line breaks ("\r\n" of the string table and "\n" count alike).
struct Shape {
  std::multiset<std::string> placeholders;
  size_t lineBreaks = 0;
  bool operator==(const Shape&) const = default;
};

Shape shapeOf(const std::string& text) {
  Shape shape;
  // Every "%%" followed by its digits.
  for (size_t at = text.find("%%"); at != std::string::npos; at = text.find("%%", at + 2)) {
    size_t end = text.find_first_not_of("0123456789", at + 2);
    if (end == std::string::npos) end = text.size();
    if (end > at + 2) shape.placeholders.insert(text.substr(at, end - at));
  }
  const std::string breaks = platform::expandLineBreaks(text);
  for (size_t i = 0; i < breaks.size(); ++i) {
    if (breaks[i] == '\n' && (i == 0 || breaks[i - 1] != '\r')) ++shape.lineBreaks;
    if (breaks[i] == '\r') ++shape.lineBreaks;
  }
  return shape;
}

std::string describe(const Shape& shape) {
  std::string out;
  for (const auto& p : shape.placeholders) out += p + " ";
  return out + std::to_string(shape.lineBreaks) + " line break(s)";
}

// Checks one "<id>::<English>" text against the catalogue; returns what is wrong, if anything.
std::string checkTranslation(const host::MessageCatalog& german, const std::string& raw) {
  auto message = platform::MessageText::parse(raw);
  if (!message.id) return {};
  auto translated = german.find(vti::MError::kPluginId, *message.id);
  if (!translated) return *message.id + " has no German text: \"" + message.text + "\"";
  if (translated->empty()) return *message.id + " has an empty German text";
  Shape english = shapeOf(message.text);
  Shape germanShape = shapeOf(*translated);
  if (!(english == germanShape)) {
    return *message.id + ": English has " + describe(english) + ", German has " +
           describe(germanShape);
  }
  return {};
}

}  // namespace

// Every message of the driver's string table (errors, instrument error replies, unit suffixes)
// reaches a German operator in German, with the same placeholders filled in. Entries that are
// instrument data (micro sequences, formats, units) carry no message id and are not messages.
TEST(GermanCatalogue, CoversEveryMessageOfTheDriversStringTable) {
  const auto german = germanCatalogue();
  const auto table = vti::MResources::ParseStringTable(vti::StringTableSource());
  size_t messages = 0;
  for (const auto& [id, raw] : table) {
    if (!platform::MessageText::parse(raw).id) continue;
    ++messages;
    EXPECT_EQ(checkTranslation(german, raw), "") << "string table entry " << id;
  }
  // The table's errors and instrument replies are all there: a parser that lost them would
  // otherwise make this test pass on nothing.
  EXPECT_GE(messages, 19u);
}

// The same check finds what is wrong, so the coverage test above can fail.
TEST(GermanCatalogue, CheckFindsAMissingTextAndALostPlaceholder) {
  auto german = host::MessageCatalog::parse(
      "[TRX440]\n1=Port %%1 fehlt\n2=Ohne Platzhalter\n"
      "3=Zeile\\nzwei %%1\n");
  EXPECT_EQ(checkTranslation(german, "1::Port %%1 missing"), "");
  EXPECT_NE(checkTranslation(german, "9::Not translated"), "");
  EXPECT_NE(checkTranslation(german, "2::With %%1"), "");
  EXPECT_EQ(checkTranslation(german, "3::Line\r\ntwo %%1"), "");
  EXPECT_NE(checkTranslation(german, "3::Line two %%1"), "");
}

// Every text of the power-change and no-resistance prompts, each prompt shown in all its forms,
// asks the host for a text the German catalogue has: a prompt is read in full, not only its
// buttons.
TEST(GermanCatalogue, CoversEveryTextOfThePrompts) {
  const auto german = germanCatalogue();
  SimConnection sim;
  sim.answer("FStopOnPC: click cmdContinue\nFWaitOnPC: click cmdContinue");
  for (bool toOn : {false, true}) {
    for (bool toOff : {false, true}) vti::FStopOnPC().ShowStopBefore(toOn, toOff, nullptr);
    vti::FStopOnPC().ShowStopAfter(toOn, nullptr);
  }
  vti::FStopOnPC noResistance;
  noResistance.ShowSkip();
  noResistance.ShowNoResistance(nullptr);
  for (bool before : {false, true}) {
    vti::FWaitOnPC().WaitOnPC(vti::FWaitOnPC::kPowerOn, 2, nullptr, before);
  }
  std::set<std::string> asked;
  for (const auto& call : sim.host().application().calls) {
    EXPECT_EQ(call.pluginId, vti::MError::kPluginId);
    if (asked.insert(call.text).second) {
      EXPECT_EQ(checkTranslation(german, call.text), "");
    }
  }
  // Titles, bodies, captions, buttons, the countdown and ON/OFF of all the prompts.
  EXPECT_GE(asked.size(), 20u);
}
