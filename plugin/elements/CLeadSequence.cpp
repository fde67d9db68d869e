#include "plugin/elements/CLeadSequence.h"

#include <algorithm>

#include "platform/NumberFormat.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin {

namespace {

bool againstOthers(int32_t testId) { return testId >= 1300 && testId <= 1399; }

// Tests that measure class B modules lead by lead too.
bool measuresClassBPerLead(int32_t testId) {
  return (testId >= 1101 && testId <= 1199) || againstOthers(testId) || testId == 820 ||
         testId == 850;
}

int32_t dutModuleCount(const CAutoRunSetup& setup) {
  return setup.Modules_get() ? setup.Modules_get()->Count_get() : 0;
}

// Lead positions of a module: one per lead; a lead measured against the others of several
// modules is measured twice (open and grounded), and a one-lead module not at all.
int32_t positionsOf(const CModuleEntry& module, int32_t testId, const CAutoRunSetup& setup) {
  const int32_t leads = module.Leads_get();
  if (!againstOthers(testId) || dutModuleCount(setup) <= 1) return leads;
  if (leads == 1) return 0;
  if (leads == 3 || leads == 4) return 2 * leads;
  return leads;
}

// A module's sub-positions: the ";"-separated entries of its tool tip (a group names each
// member there); at least one.
int32_t subPositionsOf(const CModuleEntry& module) {
  const std::string tip = module.ToolTipText_get();
  int32_t count = 0;
  size_t start = 0;
  while (start <= tip.size()) {
    const size_t end = std::min(tip.find(';', start), tip.size());
    if (tip.find_first_not_of(' ', start) < end) ++count;
    start = end + 1;
  }
  return std::max(count, 1);
}

bool sameModule(const CModuleEntry& a, const CModuleEntry& b) {
  return a.Code_get() == b.Code_get() && a.FirstLead_get() == b.FirstLead_get() &&
         a.ModuleID_get() == b.ModuleID_get();
}

}  // namespace

std::vector<std::shared_ptr<CModuleEntry>> CLeadSequence::WorkList(const CModuleSetup* selected,
                                                                   int32_t testId) {
  std::vector<std::shared_ptr<CModuleEntry>> work;
  if (!selected) return work;
  const auto entries = selected->NewEnum();
  auto takeClass = [&](const std::string& code) {
    for (const auto& entry : entries) {
      if (entry && entry->Class_get() == code) work.push_back(entry);
    }
  };
  if (measuresClassBPerLead(testId)) takeClass("B");
  takeClass("BF");
  takeClass("CF");
  return work;
}

bool CLeadSequence::continues(const CModuleEntry& module) const {
  return m_state.inProgress && m_state.position != 1 && !m_state.tested.empty() &&
         sameModule(*m_state.tested.back(), module);
}

bool CLeadSequence::starts(const std::shared_ptr<CModuleEntry>& module, int32_t index,
                           CAutoRunSetup& setup, int32_t testId) {
  const bool atCursor = index == m_state.moduleCursor;
  if (atCursor) {
    m_state.tested.push_back(module);
    ++m_state.moduleCursor;
  }
  // A lead measured against the others is measured for the module the autorun is at; the
  // modules before it count as passed so that the sequence keeps step with the autorun.
  if (againstOthers(testId) && index < setup.ModuleNumber_get()) return false;
  return atCursor || continues(*module);
}

void CLeadSequence::advance(int32_t positions) {
  const bool last = m_state.position >= positions;
  m_state.position = last ? 1 : m_state.position + 1;
  m_state.inProgress = !last;
}

CLeadReadings::Lead CLeadSequence::leadOf(const CModuleEntry& module) const {
  CLeadReadings::Lead lead;
  lead.leadNo = m_state.position + module.FirstLead_get() - 1;
  lead.position = m_state.position;
  lead.first = false;
  return lead;
}

CLeadReadings::Records CLeadSequence::measure(const CModuleEntry& module, int32_t positions,
                                              const CLeadReadings& readings) {
  CLeadReadings::Records records;
  const auto* group = dynamic_cast<const CModuleGroup*>(&module);
  const int32_t count = subPositionsOf(module);
  for (int32_t sub = 1; sub <= count; ++sub) {
    // A group's sub-positions are its members, each measured on the group's leads.
    auto member = group ? group->Item(sub) : nullptr;
    auto lead = leadOf(module);
    lead.subPosition = "@" + std::to_string(sub);
    lead.prefix = platform::formatNumber(module.ModuleID_get());
    const CModuleEntry& measured = member ? static_cast<const CModuleEntry&>(*member) : module;
    readings.CollectModule(records, measured, lead);
  }
  advance(positions);
  return records;
}

CLeadReadings::Records CLeadSequence::measureInGroup(const CModuleEntry& module, int32_t positions,
                                                     const CLeadReadings& readings) {
  // Members of one group measured one after the other are numbered within the group, so that
  // their readings of one lead stand together.
  if (m_state.position == 1) {
    const bool sameGroup = m_state.groupCounter > 0 && m_state.groupId == module.GroupID_get();
    m_state.groupCounter = sameGroup ? m_state.groupCounter + 1 : 1;
    m_state.groupId = module.GroupID_get();
  }
  CLeadReadings::Records records;
  auto lead = leadOf(module);
  lead.subPosition = "@" + std::to_string(m_state.groupCounter);
  lead.prefix = platform::formatNumber(m_state.groupId);
  readings.CollectModule(records, module, lead);
  advance(positions);
  return records;
}

void CLeadSequence::completeWhenDone(size_t workCount) {
  if (m_state.tested.size() < workCount || m_state.position != 1) return;
  m_state.moduleCursor = 1;
  m_state.tested.clear();
  m_state.inProgress = false;
}

std::optional<CLeadReadings::Records> CLeadSequence::Step(
    const std::vector<std::shared_ptr<CModuleEntry>>& work, const CLeadReadings& readings,
    CAutoRunSetup& setup, int32_t testId) {
  m_started = false;
  std::optional<CLeadReadings::Records> records;
  int32_t index = 0;
  for (const auto& module : work) {
    if (!starts(module, ++index, setup, testId)) continue;
    m_started = true;
    const int32_t positions = positionsOf(*module, testId, setup);
    // A module of one position is read with the others together.
    if (positions > 1) {
      records = module->InGroup_get() ? measureInGroup(*module, positions, readings)
                                      : measure(*module, positions, readings);
    }
    break;
  }
  completeWhenDone(work.size());
  return records;
}

}  // namespace plugin
