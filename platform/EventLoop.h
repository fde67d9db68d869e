#pragma once

#include "platform/PlatformExport.h"
#include "platform/ScopedOverride.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

namespace platform {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Milliseconds = std::chrono::milliseconds;
using Duration = Clock::duration;  // nanoseconds; milliseconds convert implicitly
using TimerId = uint64_t;
using WatchId = uint64_t;

// The one event loop of the process. Everything that waits (serial replies, pauses, countdowns,
// modal forms) runs processUntil() on it, which dispatches posted calls, due timers and ready
// file descriptors until its predicate holds. Calls nest: a modal form inside a wait is a
// processUntil() inside a callback of the outer one.
class ORVEL_PLATFORM_API EventLoop {
 public:
  virtual ~EventLoop();  // defined in the library: one virtual table per process

  virtual TimePoint now() const = 0;

  // One-shot timer: fires once, `interval` from now.
  TimerId startTimer(Duration interval, std::function<void()> callback);
  // Repeating timer: fires every `interval` (at least 1 ms) until stopped. A callback that is
  // still running (because it waits itself) is not entered a second time.
  TimerId startRepeating(Duration interval, std::function<void()> callback);
  void stopTimer(TimerId id);
  bool timerActive(TimerId id) const;

  // Calls `callback` whenever `fd` is readable (or hung up) until unwatched.
  WatchId watchRead(int fd, std::function<void()> callback);
  void unwatch(WatchId id);

  // Runs `fn` from the loop, after the current callback has returned.
  void post(std::function<void()> fn);

  // Dispatches everything that is ready now, without waiting.
  void processPending();
  // Dispatches events, waiting for them as needed, until `done()` is true.
  void processUntil(const std::function<bool()>& done);
  // Dispatches events for `duration` of loop time.
  void processFor(Duration duration);

 protected:
  // Blocks until an fd may be ready or `deadline` (the next timer) is reached; no deadline
  // means no timer is pending.
  virtual void waitForEvents(std::optional<TimePoint> deadline) = 0;
  // Polls the watched fds for at most `timeout` (nullopt: without limit) and dispatches those
  // that are ready. Returns whether any callback ran.
  bool pollWatches(std::optional<std::chrono::nanoseconds> timeout);
  bool hasWatches() const { return !m_watches.empty(); }
  std::optional<TimePoint> nextDeadline() const;

 private:
  struct Timer {
    TimePoint due;
    Duration interval;
    bool repeating;
    std::function<void()> callback;
    uint64_t order = 0;  // key in m_schedule while scheduled, 0 while its callback runs
  };
  struct Watch {
    int fd;
    std::function<void()> callback;
  };

  TimerId addTimer(Duration interval, std::function<void()> callback, bool repeating);
  void schedule(TimerId id, Timer& timer);
  // Schedules a repeating timer's next firing after its callback has run.
  void reschedule(TimerId id);
  bool dispatchReady();
  bool runPosted();
  bool fireDueTimers();

  uint64_t m_nextId = 1;
  uint64_t m_nextOrder = 1;
  std::unordered_map<TimerId, Timer> m_timers;
  std::map<std::pair<TimePoint, uint64_t>, TimerId> m_schedule;
  std::map<WatchId, Watch> m_watches;
  std::deque<std::function<void()>> m_posted;
};

// The process-wide loop: the one installed by a LoopOverride, else a PollLoop made on first use.
ORVEL_PLATFORM_API EventLoop& loop();

// Installs another loop (for example a VirtualLoop in a test) for its own lifetime.
class ORVEL_PLATFORM_API LoopOverride : public ScopedOverride<EventLoop*> {
 public:
  explicit LoopOverride(EventLoop& replacement);
};

}  // namespace platform
