#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// One table a report received, parsed. The syntax is read here and nowhere else:
//   layout "<560|<2240|>+1200|>+!2240;": columns split by "|", closed by ";"; per column an
//          alignment ("<" left, ">" right), "+" for a number column, "!" for the column that
//          takes the rest of the width, and the width in twips;
//   rows   "|a|{\i\b Title}|c;|d|e;": each cell preceded by "|" (a row may also start with its
//          first cell directly: "a|b;"), each row closed by ";". "{\i\b ...}" is a bold italic
//          title, "{\b ...}" a bold one. Inside braces "|" and ";" are text. A row text left
//          without its ";" at the end still counts; line breaks between rows are ignored.
class ReportTable {
 public:
  enum class Align { Left, Right };
  struct Column {
    Align align = Align::Left;
    bool number = false;
    bool rest = false;
    int32_t width = 0;  // twips
  };
  struct Cell {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool operator==(const Cell&) const = default;
  };
  using Row = std::vector<Cell>;

  static std::vector<Column> parseLayout(std::string_view layout);
  static std::vector<Row> parseRows(std::string_view rows);
  static Cell parseCell(std::string_view cell);

  std::vector<Column> columns;
  std::vector<Row> header;
  std::vector<Row> body;
  std::vector<int32_t> settings;  // what Setting said before this table
};

}  // namespace host
