#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <string>

#include "platform/Object.h"

namespace host_api {

// Option flags of a report.
namespace ReportOption {
constexpr int32_t LimitColumns = 2;  // print the limits beside each reading
constexpr int32_t FailedOnly = 16;   // print failed readings only
}  // namespace ReportOption

namespace ReportQuery {
constexpr int32_t UsableWidth = 10;  // the width a table may take, in twips
}

// The report kind in which results are printed.
constexpr int32_t ResultReportKind = 3;

// The host's report object, handed to every PrintReport. Tables arrive as three texts:
//   layout  "<560|<2240|>+1200|>+!2240;": per column an alignment ("<" left, ">" right), "+"
//           for a number column, "!" for the column that takes the rest, and a width in twips;
//   header  "|{\i\b Result:}|{\i\b Value};": one cell per "|", "{\i\b ...}" a bold italic title;
//   body    rows of the same cell syntax, each closed by ";".
class ORVEL_HOST_API IReport : public platform::Object {
 public:
  ~IReport() override;

  virtual int32_t Options_get() const = 0;
  virtual int32_t ReportKind_get() const = 0;
  // A message text ("231::Value") translated for the plug-in `domain`.
  virtual std::string GetText(const std::string& domain, const std::string& text) const = 0;
  // A measure of the page; ReportQuery::UsableWidth gives the table width.
  virtual int32_t Query(int32_t what) const = 0;
  // A setting for the next table (calls in a row, such as 7, 0, 1 before a result table).
  virtual void Setting(int32_t value) = 0;
  // `text` with every character of `from` replaced by the character at the same position of `to`.
  virtual std::string ReplaceChars(const std::string& text, const std::string& from,
                                   const std::string& to) const = 0;
  virtual void Table(const std::string& layout, const std::string& header,
                     const std::string& body) = 0;
};

}  // namespace host_api
