// Prints the figures of a result of 10,000 readings (a multi test over many modules and leads):
//  1. store_ratio: saving it through the host XML service to a file and loading it back (the
//     result's own Save and Load included), over pugixml reading and writing the same file on
//     its own (target below 2);
//  2. report_ratio: printing it into the host report and rendering the report as HTML, over
//     loading it from the file (target below 1).
// Each time is the best of several runs, so that a busy machine does not decide the figure.

#include <fcntl.h>
#include <unistd.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "driver/TrxTypes.h"
#include "host/HostReport.h"
#include "host/HostServicesInstaller.h"
#include "host_api/HostServices.h"
#include "plugin/limits/MReportStandards.h"
#include "plugin/results/CResultData.h"

namespace {

using bench::wallSeconds;
using platform::Variant;

constexpr int kReadings = 10000;
constexpr int kRuns = 7;

double best(const std::function<void()>& run) {
  double fastest = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    const double start = wallSeconds();
    run();
    fastest = std::min(fastest, wallSeconds() - start);
  }
  return fastest;
}

std::shared_ptr<plugin::CResultData> bigResult() {
  auto result = std::make_shared<plugin::CResultData>();
  for (int i = 0; i < kReadings; ++i) {
    auto m = std::make_shared<plugin::CMeasurement>();
    const int module = i % 50 + 1;
    const std::string key = "::" + std::to_string(module) + "::CF_AC#" + std::to_string(i);
    m->Init(key, "     Lead " + std::to_string(i) + " --> RA (F)", vti::etcPatLeak, nullptr, {},
            false);
    m->Value_let(Variant(static_cast<float>(i % 997) / 10.0f));
    m->Unit_let("\u00b5A");
    m->Status_let(i % 13 == 0 ? 2 : 1);
    if (i % 101 == 0) m->Flags_let("O");
    // Every other reading goes in after the one before it, as the leads of a module do.
    result->AddMeasurement(
        m,
        i % 2 ? "::" + std::to_string(module) + "::CF_AC#" + std::to_string(i - 1) : std::string());
  }
  result->Comment_let("Bench");
  result->MTIID_let(7);
  return result;
}

std::shared_ptr<host_api::IXmlDocument> savedDocument(const plugin::CResultData& result) {
  auto doc = host_api::hostServices().xml->createDocument();
  doc->setDocumentElement(doc->createElement("TestElement"));
  result.Save(*doc->documentElement());
  return doc;
}

// What the host's atomic save adds to a plain write: the data and the folder entry reach the
// disk before the call returns.
void syncFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY);
  ::fsync(fd);
  ::close(fd);
  const int dirFd = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  ::fsync(dirFd);
  ::close(dirFd);
}

// The same file written straight from the readings with pugixml, and read back into plain
// values: what storing the result would cost without the host's XML service and the records'
// own rules.
void writeDirect(const plugin::CResultData& result, const std::filesystem::path& file) {
  pugi::xml_document doc;
  auto item = doc.append_child("TestElement").append_child("ResultItem");
  item.append_attribute("MTI").set_value(result.MTIID_get());
  item.append_child("Status").append_attribute("type").set_value(3);
  for (int32_t i = 1; i <= result.MeasurementCount_get(); ++i) {
    auto m = result.Measurement_get(Variant(i));
    auto node = item.append_child("Measurement");
    node.append_attribute("Key").set_value(m->Key_get().c_str());
    if (!m->Flags_get().empty()) node.append_attribute("Flags").set_value(m->Flags_get().c_str());
    node.append_child("Description").text().set(m->Description_get().c_str());
    auto value = node.append_child("Value");
    value.append_attribute("type").set_value(4);
    value.append_attribute("ValueType").set_value(m->ValueType_get());
    value.append_attribute("Format").set_value(m->ValueFormat_get().c_str());
    value.text().set(m->Value_get().toString().c_str());
    node.append_child("Unit").text().set(m->Unit_get().c_str());
    auto status = node.append_child("Status");
    status.append_attribute("type").set_value(3);
    status.text().set(m->Status_get());
  }
  doc.save_file(file.c_str());
}

struct DirectReading {
  std::string key, description, unit;
  float value = 0;
  int status = 0;
};

std::vector<DirectReading> readDirect(const std::filesystem::path& file) {
  pugi::xml_document doc;
  doc.load_file(file.c_str());
  std::vector<DirectReading> readings;
  for (auto node : doc.child("TestElement").child("ResultItem").children("Measurement")) {
    readings.push_back({node.attribute("Key").value(), node.child("Description").text().get(),
                        node.child("Unit").text().get(), node.child("Value").text().as_float(),
                        node.child("Status").text().as_int()});
  }
  return readings;
}

std::shared_ptr<plugin::CResultData> loadResult(const std::filesystem::path& file) {
  auto doc = host_api::hostServices().xml->loadDocument(file);
  auto loaded = std::make_shared<plugin::CResultData>();
  loaded->Load(*doc->documentElement()->findChild("ResultItem"), nullptr);
  return loaded;
}

}  // namespace

int main() {
  const auto dir =
      std::filesystem::temp_directory_path() / ("bench_results_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  setenv("ORVEL_REGISTRY", (dir / "registry.ini").c_str(), 1);
  setenv("ORVEL_RESOURCES", "", 1);
  host::installHostServices();
  const auto file = dir / "result.xml";
  const auto copy = dir / "copy.xml";

  const auto result = bigResult();
  std::shared_ptr<plugin::CResultData> loaded;
  const double build = best([&] { savedDocument(*result); });
  const double save = best([&] { savedDocument(*result)->save(file); });
  const double load = best([&] { loaded = loadResult(file); });
  auto pugiRun = [&](bool durable) {
    return best([&] {
      pugi::xml_document doc;
      doc.load_file(file.c_str());
      doc.save_file(copy.c_str());
      if (durable) syncFile(copy);
    });
  };
  std::size_t directCount = 0;
  const double direct = best([&] {
    writeDirect(*result, copy);
    syncFile(copy);
    directCount = readDirect(copy).size();
  });
  const double pugi = pugiRun(false);
  const double pugiDurable = pugiRun(true);
  if (loaded->MeasurementCount_get() != kReadings || directCount != kReadings) {
    std::fprintf(stderr, "loaded %d readings of %d\n", loaded->MeasurementCount_get(), kReadings);
    return 1;
  }
  std::printf("readings        %d (%.0f kB)\n", kReadings,
              static_cast<double>(std::filesystem::file_size(file)) / 1024.0);
  std::printf("save_seconds    %.4f (of which the result into the document %.4f)\n", save, build);
  std::printf("load_seconds    %.4f\npugixml_seconds %.4f (%.4f when it also syncs the file)\n",
              load, pugi, pugiDurable);
  std::printf("direct_seconds  %.4f (the readings written with pugixml, synced, and read back)\n",
              direct);
  std::printf(
      "store_ratio     %.2f (target < 2: against pugixml writing the same readings and "
      "reading them back)\n",
      (save + load) / direct);
  std::printf(
      "reparse_ratio   %.2f (against pugixml only re-reading and re-writing the file; "
      "%.2f when that write syncs too)\n",
      (save + load) / pugi, (save + load) / pugiDurable);

  plugin::MReportStandards::Override standards;
  std::size_t htmlSize = 0;
  const double report = best([&] {
    host::HostReport hostReport(host_api::ReportOption::LimitColumns);
    loaded->PrintReport(&hostReport, nullptr);
    htmlSize = hostReport.html("Bench").size();
  });
  std::printf("report_seconds  %.4f (%.0f kB of HTML)\n", report,
              static_cast<double>(htmlSize) / 1024.0);
  std::printf("report_ratio    %.2f (target < 1)\n", report / load);
  std::filesystem::remove_all(dir);
  return 0;
}
