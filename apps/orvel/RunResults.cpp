#include "apps/orvel/RunResults.h"

#include <iomanip>
#include <sstream>

#include "apps/common/JsonWriter.h"
#include "host_api/ILimit.h"
#include "host_api/ILimitList.h"
#include "host_api/ITestContainer.h"

namespace orvel {

namespace {

std::vector<LimitText> limitsOf(const std::shared_ptr<host_api::ITestElement>& element,
                                const host_api::IStandards& selected, const std::string& key) {
  std::vector<LimitText> found;
  auto data = element->Limits_get();
  auto held = data ? data->Standards_get() : nullptr;
  if (!held || key.empty()) return found;
  for (int32_t i = 1; i <= selected.Count(); ++i) {
    auto choice = selected.Item(i);
    auto standard = held->Find(0, choice->StandardID_get(), choice->ClassName_get());
    auto list = standard ? standard->Limits_get() : nullptr;
    for (int32_t n = 1; list && n <= list->Count(); ++n) {
      auto limit = list->Item(n);
      if (limit->Key_get() != key) continue;
      found.push_back(
          {standard->Name_get(), limit->High_get(), limit->Low_get(), limit->Unit_get()});
    }
  }
  return found;
}

MeasurementRow rowOf(const host_api::IMeasurement& measurement) {
  MeasurementRow row;
  row.key = measurement.Key_get();
  row.description = measurement.Description_get();
  const platform::Variant value = measurement.Value_get();
  if (!value.isEmpty() && !value.isNull()) row.value = value.toString();
  row.numeric = value.isNumeric();
  if (row.numeric) row.number = value.toDouble();
  row.unit = measurement.Unit_get();
  row.status = measurement.Status_get();
  return row;
}

void collect(const std::shared_ptr<host_api::ITestElement>& element, int32_t depth,
             const host_api::IStandards& selected, std::vector<ElementRow>& rows) {
  ElementRow row;
  row.id = element->TestID_get();
  row.depth = depth;
  if (auto info = element->Info_get()) row.name = info->Name_get();
  if (auto result = element->Result_get()) {
    row.status = result->Status_get();
    for (int32_t i = 1; i <= result->MeasurementCount_get(); ++i) {
      auto measurement = result->Measurement_get(platform::Variant(i));
      if (!measurement) continue;
      MeasurementRow reading = rowOf(*measurement);
      reading.limits = limitsOf(element, selected, measurement->LimitKey_get());
      row.measurements.push_back(std::move(reading));
    }
  }
  rows.push_back(std::move(row));
  if (auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(element)) {
    for (const auto& child : container->NewEnum()) collect(child, depth + 1, selected, rows);
  }
}

std::string number(float value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

std::string limitText(const MeasurementRow& row) {
  std::string text;
  for (const auto& limit : row.limits) {
    if (limit.high) text += (text.empty() ? "" : ", ") + std::string("<= ") + number(*limit.high);
    if (limit.low) text += (text.empty() ? "" : ", ") + std::string(">= ") + number(*limit.low);
  }
  return text;
}

void writeLimit(apps::JsonWriter& json, const LimitText& limit) {
  json.beginObject().key("standard").value(limit.standard).key("high");
  limit.high ? json.value(static_cast<double>(*limit.high)) : json.null();
  json.key("low");
  limit.low ? json.value(static_cast<double>(*limit.low)) : json.null();
  json.key("unit").value(limit.unit).endObject();
}

void writeMeasurement(apps::JsonWriter& json, const MeasurementRow& row) {
  json.beginObject().key("key").value(row.key).key("description").value(row.description);
  json.key("value");
  if (row.numeric) {
    json.value(row.number);
  } else if (row.value.empty()) {
    json.null();
  } else {
    json.value(row.value);
  }
  json.key("unit").value(row.unit).key("status").value(RunResults::statusText(row.status));
  json.key("limits").beginArray();
  for (const auto& limit : row.limits) writeLimit(json, limit);
  json.endArray().endObject();
}

}  // namespace

RunResults RunResults::of(const host::TestTemplate& testTemplate) {
  RunResults results;
  for (const auto& element : testTemplate.elements()) {
    collect(element, 0, *testTemplate.standards(), results.m_elements);
  }
  return results;
}

std::string RunResults::statusText(int32_t status) {
  switch (status) {
    case 1:
      return "passed";
    case 2:
      return "failed";
    case 3:
      return "no verdict";
    default:
      return "not performed";
  }
}

void RunResults::printTable(std::ostream& out) const {
  for (const auto& element : m_elements) {
    const std::string indent(static_cast<size_t>(element.depth) * 2, ' ');
    out << indent << element.id << "  " << element.name << ": " << statusText(element.status)
        << '\n';
    for (const auto& row : element.measurements) {
      out << indent << "    " << std::left << std::setw(44) << row.description << ' ' << std::right
          << std::setw(10) << (row.value.empty() ? "-" : row.value) << ' ' << std::left
          << std::setw(4) << row.unit;
      const std::string limits = limitText(row);
      if (!limits.empty()) out << "  " << limits;
      out << "  " << statusText(row.status) << '\n';
    }
  }
}

void RunResults::printJson(std::ostream& out, const std::string& ended) const {
  apps::JsonWriter json(out);
  json.beginObject().key("elements").beginArray();
  for (const auto& element : m_elements) {
    json.beginObject().key("id").value(element.id).key("name").value(element.name);
    json.key("depth").value(element.depth).key("status").value(statusText(element.status));
    json.key("measurements").beginArray();
    for (const auto& row : element.measurements) writeMeasurement(json, row);
    json.endArray().endObject();
  }
  json.endArray().key("ended_early");
  ended.empty() ? json.value(false) : json.value(true);
  json.key("end_reason").value(ended).endObject();
  out << '\n';
}

}  // namespace orvel
