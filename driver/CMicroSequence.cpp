#include "driver/CMicroSequence.h"

#include <utility>

#include "driver/CTrxTestOptions.h"
#include "driver/MError.h"
#include "driver/MResources.h"

namespace vti {

namespace {

constexpr int32_t kFirstSequenceId = 8000;
constexpr const char* kClassName = "CMicroSequence";

bool isReversed(ETrxPowerConfiguration pc) {
  return pc == epcONRM || pc == epcNCRM || pc == epcOERM;
}
bool isOpenEarth(ETrxPowerConfiguration pc) { return pc == epcOE || pc == epcOERM; }
bool isOpenNeutral(ETrxPowerConfiguration pc) { return pc == epcON || pc == epcONRM; }

std::string mainsPair(ETrxPowerConfiguration pc) {
  if (pc == epcMainsL1Gnd) return "L1-GND";
  if (pc == epcMainsL2Gnd) return "L2-GND";
  return "L1-L2";
}

std::string measuredComponent(EMeasType type) {
  if (type == emt_AC) return "AC";
  if (type == emt_DC) return "DC";
  return "ACDC";
}

std::string mapPolarity(ETrxMAPPolarity polarity) {
  if (polarity == eemp_Normal) return "NORM";
  if (polarity == eemp_Reverse) return "REV";
  return {};
}

// Seconds as the milliseconds of a "#WAIT"; computed in 64 bits so that no option value can
// overflow into a wrong (or negative) wait.
std::string milliseconds(int32_t seconds) { return std::to_string(int64_t{seconds} * 1000); }

// The placeholders in the order they are replaced. The order matters: the applied-part text is
// filled in before the option placeholders, and "%P" must go before "%MP" can be seen whole.
std::vector<std::pair<std::string, std::string>> placeholders(ETrxPowerConfiguration pc,
                                                              const std::string& appliedPart,
                                                              const CTrxTestOptions& options) {
  return {
      {"%P", isReversed(pc) ? "R" : "N"},
      {"%E", isOpenEarth(pc) ? "O" : "C"},
      {"%N", isOpenNeutral(pc) ? "O" : "C"},
      {"%V", mainsPair(pc)},
      {"%A", appliedPart},
      {"%R", "LOW"},
      {"%I", options.TestVoltage_get() == etv_250 ? "LOW" : "HIGH"},
      {"%U", measuredComponent(options.MeasType_get())},
      {"%C", options.SetWaveformCmd()},
      {"%T", milliseconds(options.ECGDuration_get())},
      {"%D", milliseconds(options.IRDuration_get())},
      {"%MP", mapPolarity(options.MAPPolarity_get())},
  };
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
}

// The applied-part text lands inside an instrument command. A ";" in it would start another
// instruction and a control character (a CR LF above all) another command on the line, so such
// a text could make the instrument switch something the test never asked for.
bool isSafeAppliedPart(const std::string& appliedPart) {
  for (char c : appliedPart) {
    auto byte = static_cast<unsigned char>(c);
    if (c == ';' || byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t pos = text.find(separator); pos != std::string::npos;
       pos = text.find(separator, start)) {
    parts.push_back(text.substr(start, pos - start));
    start = pos + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

std::string CMicroSequence::Instruction(int32_t index) const {
  if (index < 0 || index >= Count_get()) return {};
  return m_instructions[static_cast<size_t>(index)];
}

void CMicroSequence::Initialize(ETrxTestCode testCode, ETrxPowerConfiguration powerConfig,
                                const std::string& appliedPart, const CTrxTestOptions& options) {
  const int32_t resourceId = kFirstSequenceId + testCode;
  std::string text = MResources::LoadResString(resourceId);
  const bool takesAppliedPart = text.find("%A") != std::string::npos;
  for (const auto& [placeholder, value] : placeholders(powerConfig, appliedPart, options)) {
    replaceAll(text, placeholder, value);
  }

  auto invalid = [&](const std::string& what) {
    MError::RaiseVtiError(errVTI_InvalidMuSeq, kClassName, {},
                          {resourceId, MError::EscapeControlChars(text), what});
  };
  if (takesAppliedPart && !isSafeAppliedPart(appliedPart))
    invalid("AP=" + MError::EscapeControlChars(appliedPart));
  // Every test must stop for the operator around power changes and give the instrument time to
  // settle; a sequence without both is not run.
  for (const char* directive : {"#STOP", "#WAIT"}) {
    if (text.find(directive) == std::string::npos) invalid(directive);
  }

  m_instructions = split(text, ';');
}

std::string CMicroSequence::GetResetInstructions(int32_t /*currentIndex*/) const { return {}; }

}  // namespace vti
