#pragma once

#include <iosfwd>
#include <string>

#include "platform/Variant.h"

// Prints what the demo read back beside what it wrote, and counts the values that differ, so a
// person and the exit status both see whether the round trip held.
class DemoChecks {
 public:
  explicit DemoChecks(std::ostream& out) : m_out(out) {}

  void expect(const std::string& label, const platform::Variant& written,
              const platform::Variant& read);
  int failures() const { return m_failures; }

 private:
  std::ostream& m_out;
  int m_failures = 0;
};
