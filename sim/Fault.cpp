#include "sim/Fault.h"

#include <stdexcept>

#include "sim/TextTools.h"

namespace sim {

namespace {

void applyEffect(Fault& fault, const std::string& item) {
  using namespace text_tools;
  std::vector<std::string> w = words(item);
  if (w.empty()) throw std::invalid_argument("empty fault");
  const std::string kind = w[0];
  std::string rest = trim(std::string_view(item).substr(item.find(kind) + kind.size()));
  if (kind[0] == '!') {
    // A refusal as the analyzer sends it: known codes, unknown codes and non-numeric ones alike.
    if (w.size() != 1) throw std::invalid_argument("a refusal is one word: \"" + item + "\"");
    fault.reply = kind;
  } else if (kind == "reply") {
    fault.reply = rest;
  } else if (kind == "silence") {
    fault.silence = true;
  } else if (kind == "late") {
    fault.extraDelay = duration(rest);
  } else if (kind == "no-crlf") {
    fault.noLineEnd = true;
  } else if (kind == "split") {
    std::vector<std::string> args = words(rest);
    auto parts = args.empty() ? std::optional<long>() : count(args[0]);
    if (!parts || *parts < 1 || *parts > 64) {
      throw std::invalid_argument("split needs a number of pieces from 1 to 64");
    }
    fault.splitParts = static_cast<int>(*parts);
    if (args.size() > 1) fault.splitGap = duration(rest.substr(rest.find(args[1])));
  } else if (kind == "hangup") {
    fault.hangUp = true;
  } else if (kind == "ground-fault") {
    fault.groundFault = true;
  } else if (kind == "over-voltage") {
    fault.overVoltage = true;
  } else if (kind == "high-voltage") {
    fault.highVoltage = true;
  } else {
    throw std::invalid_argument("unknown fault \"" + kind + "\"");
  }
}

}  // namespace

Fault Fault::parse(const std::string& text) {
  Fault fault;
  for (const std::string& item : text_tools::split(text, ',')) applyEffect(fault, item);
  return fault;
}

std::string Fault::describe() const {
  std::string out;
  auto add = [&out](const std::string& part) { out += (out.empty() ? "" : ", ") + part; };
  auto ms = [](platform::Duration d) {
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(d).count()) + " ms";
  };
  if (reply) add("reply " + *reply);
  if (silence) add("silence");
  if (extraDelay > platform::Duration::zero()) add("late " + ms(extraDelay));
  if (noLineEnd) add("no-crlf");
  if (splitParts > 1) add("split " + std::to_string(splitParts) + " " + ms(splitGap));
  if (hangUp) add("hangup");
  if (groundFault) add("ground-fault");
  if (overVoltage) add("over-voltage");
  if (highVoltage) add("high-voltage");
  return out;
}

}  // namespace sim
