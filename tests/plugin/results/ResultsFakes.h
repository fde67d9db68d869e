#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_api/HostServices.h"
#include "host_api/IElementFilter.h"
#include "host_api/ILimitData.h"
#include "host_api/IReport.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "platform/MessageText.h"
#include "support/InertHostObjects.h"

namespace results_test {

// A report that records what a result prints into it; titles translate to their English text.
class RecordingReport : public host_api::IReport {
 public:
  struct Table {
    std::string layout, header, body;
  };

  int32_t Options_get() const override { return options; }
  int32_t ReportKind_get() const override { return kind; }
  std::string GetText(const std::string&, const std::string& text) const override {
    return platform::MessageText::parse(text).text;
  }
  int32_t Query(int32_t what) const override {
    return what == host_api::ReportQuery::UsableWidth ? width : 0;
  }
  void Setting(int32_t value) override { settings.push_back(value); }
  std::string ReplaceChars(const std::string& text, const std::string& from,
                           const std::string& to) const override {
    std::string out = text;
    for (char& c : out) {
      auto at = from.find(c);
      if (at != std::string::npos && at < to.size()) c = to[at];
    }
    return out;
  }
  void Table(const std::string& layout, const std::string& header,
             const std::string& body) override {
    tables.push_back({layout, header, body});
  }

  int32_t options = 0;
  int32_t kind = host_api::ResultReportKind;
  int32_t width = 9600;
  std::vector<int32_t> settings;
  std::vector<struct Table> tables;
};

// A limit standard made by the host with the given limits {key, unit, high, low}.
struct LimitRow {
  std::string key, unit, high, low;
};
inline std::shared_ptr<host_api::ILimitStandard> makeStandard(int32_t id, const std::string& cls,
                                                              const std::vector<LimitRow>& rows) {
  auto& classes = host_api::hostServices().classes;
  auto standard = classes.newLimitStandard();
  standard->Initialize(id, cls, 0);
  for (const auto& row : rows) {
    auto limit = classes.newLimit();
    limit->Initialize(row.key, row.unit, row.high, row.low);
    standard->AddLimit(limit);
  }
  return standard;
}

inline std::shared_ptr<host_api::IStandards> makeStandards(
    const std::vector<std::shared_ptr<host_api::ILimitStandard>>& list) {
  auto standards = host_api::hostServices().classes.newStandards();
  for (const auto& s : list) standards->Add(s);
  return standards;
}

// Limit data that judges a reading as an element's limits do: by every selected standard's own
// judgement of the reading's value under its limit key.
class JudgingLimitData : public testing_host::InertLimitData {
 public:
  std::shared_ptr<host_api::IStandards> FindFailedStandards(
      const host_api::IMeasurement* m, const host_api::IStandards* selected) const override {
    if (!m || !selected) return nullptr;
    auto failed = host_api::hostServices().classes.newStandards();
    for (int32_t i = 1; i <= selected->Count(); ++i) {
      auto s = selected->Item(i);
      if (s->Evaluate(m->LimitKey_get(), m->Value_get()) == host_api::LimitStatus::Failed) {
        failed->Add(s);
      }
    }
    return failed->Count() ? failed : nullptr;
  }
};

class CountingFilter : public host_api::IElementFilter {
 public:
  explicit CountingFilter(bool counts) : m_counts(counts) {}
  bool Enabled_get() const override { return true; }
  void Enabled_let(bool) override {}
  bool Counts_get() const override { return m_counts; }
  void Counts_let(bool counts) override { m_counts = counts; }
  std::shared_ptr<host_api::IElementFilter> Clone() const override {
    return std::make_shared<CountingFilter>(m_counts);
  }
  void Load(const host_api::IXmlElement&) override {}
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override {
    return nullptr;
  }

 private:
  bool m_counts;
};

// A test element of a template as the host sees it; a group holds its members in order.
class Element : public testing_host::InertTestElement, public host_api::ITestContainer {
 public:
  explicit Element(int32_t testId) : testId(testId) {}

  std::shared_ptr<Element> add(const std::shared_ptr<Element>& member) {
    member->parent = std::static_pointer_cast<host_api::ITestElement>(self.lock());
    members.push_back(member);
    return member;
  }

  int32_t TestID_get() const override { return testId; }
  std::shared_ptr<host_api::ITestElement> Parent_get() const override { return parent.lock(); }
  void Parent_set(const std::shared_ptr<host_api::ITestElement>& p) override { parent = p; }
  std::shared_ptr<host_api::IElementFilter> Filter_get() const override { return filter; }
  std::shared_ptr<host_api::IResultData> Result_get() const override { return result; }
  std::shared_ptr<host_api::ILimitData> Limits_get() override { return limits; }

  int32_t Count() const override { return static_cast<int32_t>(members.size()); }
  std::shared_ptr<host_api::ITestElement> Item(int32_t index) const override {
    return index >= 1 && index <= Count() ? members[static_cast<size_t>(index - 1)] : nullptr;
  }
  void Add(const std::shared_ptr<host_api::ITestElement>&,
           const std::shared_ptr<host_api::ITestElement>&, int32_t) override {}
  std::shared_ptr<host_api::ITestElement> FindElement(int32_t) const override { return nullptr; }
  void Remove(const std::shared_ptr<host_api::ITestElement>&) override {}
  std::vector<std::shared_ptr<host_api::ITestElement>> NewEnum() const override {
    return {members.begin(), members.end()};
  }

  static std::shared_ptr<Element> make(int32_t testId) {
    auto e = std::make_shared<Element>(testId);
    e->self = e;
    return e;
  }

  int32_t testId;
  std::weak_ptr<Element> self;
  std::weak_ptr<host_api::ITestElement> parent;  // the group holds its members, not the reverse
  std::shared_ptr<host_api::IElementFilter> filter;
  std::shared_ptr<host_api::IResultData> result;
  std::shared_ptr<host_api::ILimitData> limits;
  std::vector<std::shared_ptr<Element>> members;
};

}  // namespace results_test
