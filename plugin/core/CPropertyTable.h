#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace plugin {

// One value of a property that takes its values from a fixed list: the number stored and the
// name a user may type instead (compared without regard to case).
struct PropertyChoice {
  int32_t value;
  std::string name;
};

// The settings of an object by name, as the host reads and writes them (host_api::IProperties):
// each property is described once (name, kind, allowed values, how to read and write it) and
// the table does the rest, the same way for every object: names without regard to case, text
// and values parsed by kind, ranges checked before anything is written, and errors that name
// the property, the value and what is allowed. A refused value writes nothing.
//
// The table holds functions bound to the object's current records, so an object builds it
// afresh for each access rather than keep one that a Load (which replaces the records) would
// leave pointing at the old ones.
class CPropertyTable {
 public:
  static constexpr int32_t NoMinimum = std::numeric_limits<int32_t>::min();
  static constexpr int32_t NoMaximum = std::numeric_limits<int32_t>::max();

  // Writers of text and restrictions answer with the reason a value is refused, or an empty text
  // when it is taken.
  using Refusal = std::string;

  // `source` names the object in the errors raised (its ProgID).
  explicit CPropertyTable(std::string source);

  // A null writer makes the property read-only.
  void AddBoolean(const std::string& name, std::function<bool()> read,
                  std::function<void(bool)> write);
  // Whole numbers from `minimum` to `maximum`; NoMinimum and NoMaximum leave the range open.
  void AddInteger(const std::string& name, int32_t minimum, int32_t maximum,
                  std::function<int32_t()> read, std::function<void(int32_t)> write);
  void AddChoice(const std::string& name, std::vector<PropertyChoice> choices,
                 std::function<int32_t()> read, std::function<void(int32_t)> write);
  // A set of named flags, as a comma-separated list of the names that are set ("None" or an
  // empty text for none).
  void AddFlags(const std::string& name, std::vector<std::string> flagNames,
                std::function<std::vector<bool>()> read,
                std::function<void(const std::vector<bool>&)> write);
  // A text in a format of its own: `range` says what it takes, `write` parses it and refuses it
  // with a reason, or applies it whole.
  void AddText(const std::string& name, const std::string& range, std::function<std::string()> read,
               std::function<Refusal(const std::string&)> write);
  // A further rule on the values of a property the table already holds; `check` sees the value
  // that passed the kind's own checks.
  void Restrict(const std::string& name, std::function<Refusal(const platform::Variant&)> check);

  // The same, for a record's X_get and X_let.
  template <class R>
  void Boolean(const std::string& name, R& record, bool (R::*get)() const, void (R::*let)(bool)) {
    AddBoolean(
        name, [&record, get] { return (record.*get)(); },
        [&record, let](bool value) { (record.*let)(value); });
  }
  template <class R>
  void Integer(const std::string& name, int32_t minimum, int32_t maximum, R& record,
               int32_t (R::*get)() const, void (R::*let)(int32_t)) {
    AddInteger(
        name, minimum, maximum, [&record, get] { return (record.*get)(); },
        [&record, let](int32_t value) { (record.*let)(value); });
  }
  template <class R>
  void Choice(const std::string& name, std::vector<PropertyChoice> choices, R& record,
              int32_t (R::*get)() const, void (R::*let)(int32_t)) {
    AddChoice(
        name, std::move(choices), [&record, get] { return (record.*get)(); },
        [&record, let](int32_t value) { (record.*let)(value); });
  }

  const std::string& Source() const { return m_source; }
  std::vector<std::string> Names() const;
  platform::Variant Get(const std::string& name) const;
  std::string Text(const std::string& name) const;
  std::string Range(const std::string& name) const;
  void LetText(const std::string& name, const std::string& text);
  void Let(const std::string& name, const platform::Variant& value);

 private:
  enum class Kind { Boolean, Integer, Choice, Flags, Text };
  struct Entry {
    std::string name;
    Kind kind = Kind::Text;
    int32_t minimum = NoMinimum;
    int32_t maximum = NoMaximum;
    std::vector<PropertyChoice> choices;  // the choices, or the flags' names (value = bit)
    std::string textRange;
    // Reads the value as a Boolean, a 32-bit integer (flags: a bit mask) or a text.
    std::function<platform::Variant()> read;
    // Writes a value that passed the checks; null for a read-only property.
    std::function<Refusal(const platform::Variant&)> write;
    std::vector<std::function<Refusal(const platform::Variant&)>> restrictions;
  };

  Entry& add(const std::string& name, Kind kind);
  const Entry& entry(const std::string& name) const;
  Entry& entry(const std::string& name);
  std::string textOf(const Entry& entry, const platform::Variant& value) const;
  std::string rangeOf(const Entry& entry) const;
  platform::Variant parsed(const Entry& entry, const std::string& text) const;
  platform::Variant checked(const Entry& entry, const platform::Variant& value) const;
  void write(Entry& entry, const platform::Variant& value, const std::string& shown);
  [[noreturn]] void refuse(int32_t number, const Entry& entry, const std::string& shown,
                           const std::string& reason) const;

  std::string m_source;
  std::vector<Entry> m_entries;
};

}  // namespace plugin
