#include "platform/EventLoop.h"

#include <poll.h>

#include <cerrno>
#include <stdexcept>

#include "platform/PollLoop.h"

namespace platform {

TimerId EventLoop::startTimer(Duration interval, std::function<void()> callback) {
  return addTimer(interval, std::move(callback), false);
}

TimerId EventLoop::startRepeating(Duration interval, std::function<void()> callback) {
  return addTimer(std::max(interval, Duration(Milliseconds(1))), std::move(callback), true);
}

TimerId EventLoop::addTimer(Duration interval, std::function<void()> callback, bool repeating) {
  if (interval < Duration::zero()) interval = Duration::zero();
  TimerId id = m_nextId++;
  Timer& timer = m_timers[id];
  timer.due = now() + interval;
  timer.interval = interval;
  timer.repeating = repeating;
  timer.callback = std::move(callback);
  schedule(id, timer);
  return id;
}

void EventLoop::schedule(TimerId id, Timer& timer) {
  timer.order = m_nextOrder++;
  m_schedule.emplace(std::make_pair(timer.due, timer.order), id);
}

void EventLoop::stopTimer(TimerId id) {
  auto it = m_timers.find(id);
  if (it == m_timers.end()) return;
  if (it->second.order != 0) m_schedule.erase({it->second.due, it->second.order});
  m_timers.erase(it);
}

bool EventLoop::timerActive(TimerId id) const { return m_timers.count(id) != 0; }

WatchId EventLoop::watchRead(int fd, std::function<void()> callback) {
  WatchId id = m_nextId++;
  m_watches.emplace(id, Watch{fd, std::move(callback)});
  return id;
}

void EventLoop::unwatch(WatchId id) { m_watches.erase(id); }

void EventLoop::post(std::function<void()> fn) { m_posted.push_back(std::move(fn)); }

void EventLoop::processPending() { dispatchReady(); }

void EventLoop::processUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (!dispatchReady()) waitForEvents(nextDeadline());
  }
}

void EventLoop::processFor(Duration duration) {
  bool elapsed = false;
  TimerId id = startTimer(duration, [&elapsed] { elapsed = true; });
  try {
    processUntil([&elapsed] { return elapsed; });
  } catch (...) {
    stopTimer(id);
    throw;
  }
}

std::optional<TimePoint> EventLoop::nextDeadline() const {
  if (!m_posted.empty()) return now();
  if (m_schedule.empty()) return std::nullopt;
  return m_schedule.begin()->first.first;
}

bool EventLoop::dispatchReady() {
  bool any = runPosted();
  any = fireDueTimers() || any;
  if (!m_watches.empty()) any = pollWatches(std::chrono::nanoseconds(0)) || any;
  return any;
}

bool EventLoop::runPosted() {
  // Only what was posted before this pass runs now; calls posted meanwhile wait for the next.
  size_t count = m_posted.size();
  for (size_t i = 0; i < count && !m_posted.empty(); ++i) {
    auto fn = std::move(m_posted.front());
    m_posted.pop_front();
    fn();
  }
  return count != 0;
}

bool EventLoop::fireDueTimers() {
  bool any = false;
  TimePoint limit = now();
  // Timers (re)scheduled during this pass wait for the next one, so a zero-interval timer that
  // re-arms itself cannot starve the loop.
  const uint64_t orderLimit = m_nextOrder;
  while (!m_schedule.empty() && m_schedule.begin()->first.first <= limit &&
         m_schedule.begin()->first.second < orderLimit) {
    TimerId id = m_schedule.begin()->second;
    m_schedule.erase(m_schedule.begin());
    Timer& timer = m_timers.at(id);
    timer.order = 0;
    any = true;
    if (!timer.repeating) {
      auto callback = std::move(timer.callback);
      m_timers.erase(id);
      callback();
      continue;
    }
    auto callback = timer.callback;  // the timer may be stopped from inside its callback
    try {
      callback();
    } catch (...) {
      // The error goes to whoever waits on the loop; the timer itself keeps running.
      reschedule(id);
      throw;
    }
    reschedule(id);
  }
  return any;
}

void EventLoop::reschedule(TimerId id) {
  auto it = m_timers.find(id);
  if (it == m_timers.end()) return;  // stopped from inside its callback
  Timer& timer = it->second;
  TimePoint current = now();
  timer.due += timer.interval;
  if (timer.due <= current) timer.due = current + timer.interval;
  schedule(id, timer);
}

bool EventLoop::pollWatches(std::optional<std::chrono::nanoseconds> timeout) {
  std::vector<pollfd> fds;
  std::vector<WatchId> ids;
  for (const auto& [id, watch] : m_watches) {
    fds.push_back(pollfd{watch.fd, POLLIN, 0});
    ids.push_back(id);
  }
  timespec ts{};
  timespec* tsp = nullptr;
  if (timeout) {
    auto ns = std::max(timeout->count(), int64_t(0));
    ts.tv_sec = static_cast<time_t>(ns / 1000000000);
    ts.tv_nsec = static_cast<long>(ns % 1000000000);
    tsp = &ts;
  }
  int n = ppoll(fds.data(), fds.size(), tsp, nullptr);
  if (n <= 0) return false;
  bool any = false;
  for (size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    auto it = m_watches.find(ids[i]);
    if (it == m_watches.end()) continue;  // unwatched by an earlier callback
    auto callback = it->second.callback;
    callback();
    any = true;
  }
  return any;
}

namespace {
EventLoop*& installedLoop() {
  static EventLoop* current = nullptr;
  return current;
}
}  // namespace

EventLoop& loop() {
  EventLoop*& current = installedLoop();
  if (!current) {
    static PollLoop defaultLoop;
    current = &defaultLoop;
  }
  return *current;
}

LoopOverride::LoopOverride(EventLoop& replacement)
    : ScopedOverride(installedLoop(), &replacement) {}

EventLoop::~EventLoop() = default;

}  // namespace platform
