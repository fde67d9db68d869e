#include "plugin/core/CPropertyTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "host_api/IProperties.h"
#include "platform/ComError.h"
#include "platform/TextTools.h"

namespace plugin {

namespace {
namespace PropertyError = host_api::PropertyError;

char lowered(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowered(x) == lowered(y);
         });
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
  std::string text;
  for (const auto& part : parts) text += (text.empty() ? "" : separator) + part;
  return text;
}

// A decimal whole number with an optional sign and nothing else; nullopt for any other text.
// A number beyond 32 bits is reported as such, since it is a number, only too large.
struct WholeNumber {
  bool valid = false;
  bool overflow = false;
  int32_t value = 0;
};

WholeNumber wholeNumberOf(std::string_view text) {
  text = platform::trimmed(text);
  // from_chars takes a minus sign but no plus; a plus is taken here, once and alone.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return {};
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return {};
  if (error == std::errc::result_out_of_range) return {true, true, 0};
  if (error != std::errc()) return {};
  return {true, false, value};
}

std::optional<bool> booleanOf(std::string_view text) {
  text = platform::trimmed(text);
  if (sameName(text, "True")) return true;
  if (sameName(text, "False")) return false;
  return std::nullopt;
}

std::vector<std::string> splitAtCommas(std::string_view text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    parts.push_back(platform::trim(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}
}  // namespace

CPropertyTable::CPropertyTable(std::string source) : m_source(std::move(source)) {}

CPropertyTable::Entry& CPropertyTable::add(const std::string& name, Kind kind) {
  m_entries.push_back(Entry{name, kind, NoMinimum, NoMaximum, {}, {}, {}, {}, {}});
  return m_entries.back();
}

void CPropertyTable::AddBoolean(const std::string& name, std::function<bool()> read,
                                std::function<void(bool)> write) {
  auto& added = add(name, Kind::Boolean);
  added.read = [read] { return platform::Variant(read()); };
  if (write) added.write = [write](const platform::Variant& v) { return write(v.toBool()), ""; };
}

void CPropertyTable::AddInteger(const std::string& name, int32_t minimum, int32_t maximum,
                                std::function<int32_t()> read, std::function<void(int32_t)> write) {
  auto& added = add(name, Kind::Integer);
  added.minimum = minimum;
  added.maximum = maximum;
  added.read = [read] { return platform::Variant(read()); };
  if (write) added.write = [write](const platform::Variant& v) { return write(v.toLong()), ""; };
}

void CPropertyTable::AddChoice(const std::string& name, std::vector<PropertyChoice> choices,
                               std::function<int32_t()> read, std::function<void(int32_t)> write) {
  auto& added = add(name, Kind::Choice);
  added.choices = std::move(choices);
  added.read = [read] { return platform::Variant(read()); };
  if (write) added.write = [write](const platform::Variant& v) { return write(v.toLong()), ""; };
}

void CPropertyTable::AddFlags(const std::string& name, std::vector<std::string> flagNames,
                              std::function<std::vector<bool>()> read,
                              std::function<void(const std::vector<bool>&)> write) {
  auto& added = add(name, Kind::Flags);
  for (size_t i = 0; i < flagNames.size(); ++i) {
    added.choices.push_back({static_cast<int32_t>(1u << i), flagNames[i]});
  }
  const size_t count = flagNames.size();
  added.read = [read] {
    int32_t mask = 0;
    const auto flags = read();
    for (size_t i = 0; i < flags.size(); ++i) mask |= flags[i] ? static_cast<int32_t>(1u << i) : 0;
    return platform::Variant(mask);
  };
  if (!write) return;
  added.write = [write, count](const platform::Variant& v) {
    std::vector<bool> flags(count);
    for (size_t i = 0; i < count; ++i) flags[i] = (v.toLong() >> i) & 1;
    return write(flags), "";
  };
}

void CPropertyTable::AddText(const std::string& name, const std::string& range,
                             std::function<std::string()> read,
                             std::function<Refusal(const std::string&)> write) {
  auto& added = add(name, Kind::Text);
  added.textRange = range;
  added.read = [read] { return platform::Variant(read()); };
  if (write) added.write = [write](const platform::Variant& v) { return write(v.toString()); };
}

void CPropertyTable::Restrict(const std::string& name,
                              std::function<Refusal(const platform::Variant&)> check) {
  entry(name).restrictions.push_back(std::move(check));
}

std::vector<std::string> CPropertyTable::Names() const {
  std::vector<std::string> names;
  for (const auto& each : m_entries) names.push_back(each.name);
  return names;
}

const CPropertyTable::Entry& CPropertyTable::entry(const std::string& name) const {
  const std::string_view wanted = platform::trimmed(name);
  for (const auto& each : m_entries) {
    if (sameName(each.name, wanted)) return each;
  }
  throw platform::ComError(
      PropertyError::UnknownName, m_source,
      "Unknown property \"" + name + "\"; the properties are: " + joined(Names(), ", "));
}

CPropertyTable::Entry& CPropertyTable::entry(const std::string& name) {
  return const_cast<Entry&>(std::as_const(*this).entry(name));
}

platform::Variant CPropertyTable::Get(const std::string& name) const {
  const Entry& found = entry(name);
  const platform::Variant value = found.read();
  if (found.kind == Kind::Flags) return textOf(found, value);
  return value;
}

std::string CPropertyTable::Text(const std::string& name) const {
  const Entry& found = entry(name);
  return textOf(found, found.read());
}

std::string CPropertyTable::Range(const std::string& name) const { return rangeOf(entry(name)); }

std::string CPropertyTable::textOf(const Entry& entry, const platform::Variant& value) const {
  switch (entry.kind) {
    case Kind::Choice:
      for (const auto& choice : entry.choices) {
        if (choice.value == value.toLong()) return choice.name;
      }
      return value.toString();  // a stored value outside the list still shows as itself
    case Kind::Flags: {
      std::vector<std::string> set;
      for (const auto& flag : entry.choices) {
        if (value.toLong() & flag.value) set.push_back(flag.name);
      }
      return set.empty() ? "None" : joined(set, ",");
    }
    default:
      return value.toString();
  }
}

std::string CPropertyTable::rangeOf(const Entry& entry) const {
  if (!entry.write) return "read-only";
  switch (entry.kind) {
    case Kind::Boolean:
      return "True or False";
    case Kind::Integer:
      if (entry.minimum == NoMinimum && entry.maximum == NoMaximum) {
        return "any whole number (no fixed range)";
      }
      return "whole numbers from " + std::to_string(entry.minimum) + " to " +
             std::to_string(entry.maximum);
    case Kind::Choice: {
      std::vector<std::string> listed;
      for (const auto& c : entry.choices) listed.push_back(std::to_string(c.value) + " " + c.name);
      return "one of " + joined(listed, ", ") + " (by number or name)";
    }
    case Kind::Flags: {
      std::vector<std::string> listed;
      for (const auto& flag : entry.choices) listed.push_back(flag.name);
      return "a comma-separated list of " + joined(listed, ", ") + ", or None";
    }
    case Kind::Text:
      break;
  }
  return entry.textRange;
}

void CPropertyTable::refuse(int32_t number, const Entry& entry, const std::string& shown,
                            const std::string& reason) const {
  throw platform::ComError(number, m_source,
                           entry.name + " cannot be \"" + shown + "\": " + reason);
}

platform::Variant CPropertyTable::parsed(const Entry& entry, const std::string& text) const {
  const std::string allowed = "allowed are " + rangeOf(entry);
  switch (entry.kind) {
    case Kind::Boolean:
      if (auto value = booleanOf(text)) return *value;
      refuse(PropertyError::TypeMismatch, entry, text, allowed);
    case Kind::Integer: {
      const WholeNumber number = wholeNumberOf(text);
      if (!number.valid) refuse(PropertyError::TypeMismatch, entry, text, allowed);
      if (number.overflow) refuse(PropertyError::InvalidValue, entry, text, allowed);
      return number.value;
    }
    case Kind::Choice: {
      const WholeNumber number = wholeNumberOf(text);
      if (number.valid && !number.overflow) return number.value;
      for (const auto& choice : entry.choices) {
        if (sameName(choice.name, platform::trimmed(text))) return choice.value;
      }
      refuse(PropertyError::InvalidValue, entry, text, allowed);
    }
    case Kind::Flags: {
      int32_t mask = 0;
      if (platform::trimmed(text).empty() || sameName(platform::trimmed(text), "None")) return mask;
      for (const auto& part : splitAtCommas(text)) {
        const auto flag = std::find_if(entry.choices.begin(), entry.choices.end(),
                                       [&](const auto& f) { return sameName(f.name, part); });
        if (flag == entry.choices.end()) {
          refuse(PropertyError::InvalidValue, entry, text,
                 "\"" + part + "\" is not one of them; " + allowed);
        }
        mask |= flag->value;
      }
      return mask;
    }
    case Kind::Text:
      break;
  }
  return text;
}

// A value given as a Variant: a text is read as typed text; otherwise it must be of the
// property's kind (a Boolean for a number would pass as -1 and is refused instead).
platform::Variant CPropertyTable::checked(const Entry& entry,
                                          const platform::Variant& value) const {
  if (value.get<std::string>()) return parsed(entry, value.toString());
  const std::string allowed = "allowed are " + rangeOf(entry);
  const bool isBoolean = value.type() == platform::VariantType::Boolean;
  if (entry.kind == Kind::Boolean && isBoolean) return value;
  const bool numeric = value.isNumeric() && !isBoolean;
  if ((entry.kind == Kind::Integer || entry.kind == Kind::Choice) && numeric) {
    const double number = value.toDouble();
    if (number != std::floor(number)) {
      refuse(PropertyError::TypeMismatch, entry, value.toString(), allowed);
    }
    if (number < NoMinimum || number > NoMaximum) {
      refuse(PropertyError::InvalidValue, entry, value.toString(), allowed);
    }
    return static_cast<int32_t>(number);
  }
  refuse(PropertyError::TypeMismatch, entry, value.toString(), allowed);
}

void CPropertyTable::write(Entry& entry, const platform::Variant& value, const std::string& shown) {
  const std::string allowed = "allowed are " + rangeOf(entry);
  if (entry.kind == Kind::Integer &&
      (value.toLong() < entry.minimum || value.toLong() > entry.maximum)) {
    refuse(PropertyError::InvalidValue, entry, shown, allowed);
  }
  if (entry.kind == Kind::Choice &&
      std::none_of(entry.choices.begin(), entry.choices.end(),
                   [&](const auto& c) { return c.value == value.toLong(); })) {
    refuse(PropertyError::InvalidValue, entry, shown, allowed);
  }
  for (const auto& restriction : entry.restrictions) {
    const Refusal reason = restriction(value);
    if (!reason.empty()) refuse(PropertyError::InvalidValue, entry, shown, reason);
  }
  const Refusal reason = entry.write(value);
  if (!reason.empty()) refuse(PropertyError::InvalidValue, entry, shown, reason);
}

void CPropertyTable::LetText(const std::string& name, const std::string& text) {
  Entry& found = entry(name);
  if (!found.write) refuse(PropertyError::ReadOnly, found, text, "the property is read-only");
  write(found, parsed(found, text), text);
}

void CPropertyTable::Let(const std::string& name, const platform::Variant& value) {
  Entry& found = entry(name);
  if (!found.write) {
    refuse(PropertyError::ReadOnly, found, value.toString(), "the property is read-only");
  }
  write(found, checked(found, value), value.toString());
}

}  // namespace plugin
