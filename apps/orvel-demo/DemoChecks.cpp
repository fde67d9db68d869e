#include "DemoChecks.h"

#include <iomanip>
#include <ostream>

void DemoChecks::expect(const std::string& label, const platform::Variant& written,
                        const platform::Variant& read) {
  bool same = written == read;
  if (!same) ++m_failures;
  m_out << "  " << std::left << std::setw(28) << label << std::setw(14) << read.toString()
        << (same ? "ok" : "DIFFERS: wrote " + written.toString()) << "\n";
}
