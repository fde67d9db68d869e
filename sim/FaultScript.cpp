#include "sim/FaultScript.h"

#include <stdexcept>

#include "sim/TextTools.h"

namespace sim {

namespace {

// Reads "*", "#N", "#N-M" or "#N+" into the range of occurrences it names.
void readOccurrence(const std::string& text, FaultScript::Rule& rule) {
  using text_tools::count;
  if (text == "*") return;
  auto bad = [&text] { return std::invalid_argument("bad occurrence \"" + text + "\""); };
  if (text.size() < 2 || text[0] != '#') throw bad();
  std::string body = text.substr(1);
  if (body.back() == '+') {
    auto n = count(body.substr(0, body.size() - 1));
    if (!n || *n < 1) throw bad();
    rule.first = *n;
    return;
  }
  size_t dash = body.find('-');
  auto from = count(body.substr(0, dash));
  auto to = dash == std::string::npos ? from : count(body.substr(dash + 1));
  if (!from || !to || *from < 1 || *to < *from) throw bad();
  rule.first = *from;
  rule.last = *to;
}

}  // namespace

void FaultScript::add(const std::string& selector, const std::string& fault) {
  std::vector<std::string> parts = text_tools::words(selector);
  if (parts.empty() || parts.size() > 2) {
    throw std::invalid_argument("a fault names a command and an occurrence: \"" + selector + "\"");
  }
  Rule rule;
  rule.pattern = parts[0];
  if (parts.size() == 2) readOccurrence(parts[1], rule);
  rule.fault = Fault::parse(fault);
  m_rules.push_back(std::move(rule));
}

std::string FaultScript::commandName(const std::string& command) {
  if (command == "\x1b") return "ESC";
  return command.substr(0, command.find('='));
}

std::optional<Fault> FaultScript::match(const std::string& command) {
  const std::string name = commandName(command);
  std::optional<Fault> hit;
  for (Rule& rule : m_rules) {
    bool named = rule.pattern == "*" ||
                 (rule.pattern.find('=') == std::string::npos ? rule.pattern == name
                                                              : rule.pattern == command);
    if (!named) continue;
    ++rule.seen;
    bool inRange = rule.seen >= rule.first && (rule.last < 0 || rule.seen <= rule.last);
    if (inRange && !hit) hit = rule.fault;
  }
  return hit;
}

void FaultScript::reset() {
  for (Rule& rule : m_rules) rule.seen = 0;
}

}  // namespace sim
