#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PollLoop.h"
#include "platform/VirtualLoop.h"

using namespace platform;
using namespace std::chrono_literals;

TEST(VirtualLoop, TimersFireInDueOrderAndFifoForEqualTimes) {
  VirtualLoop ev;
  std::vector<std::string> order;
  ev.startTimer(30ms, [&] { order.push_back("c30"); });
  ev.startTimer(10ms, [&] { order.push_back("a10"); });
  ev.startTimer(10ms, [&] { order.push_back("b10"); });
  ev.startTimer(0ms, [&] { order.push_back("zero"); });
  ev.processUntil([&] { return order.size() == 4; });
  EXPECT_EQ(order, (std::vector<std::string>{"zero", "a10", "b10", "c30"}));
  EXPECT_EQ(ev.elapsed(), 30ms);
}

TEST(VirtualLoop, NinetySecondsOfCountdownCostNoRealTime) {
  VirtualLoop ev;
  int ticks = 0;
  TimerId id = ev.startRepeating(1s, [&] { ++ticks; });
  ev.processFor(90s);
  ev.stopTimer(id);
  EXPECT_EQ(ticks, 90);
  EXPECT_EQ(ev.elapsed(), 90s);
}

TEST(VirtualLoop, RepeatingTimerStoppedFromItsOwnCallback) {
  VirtualLoop ev;
  int ticks = 0;
  TimerId id = 0;
  id = ev.startRepeating(100ms, [&] {
    if (++ticks == 3) ev.stopTimer(id);
  });
  ev.processFor(1s);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(ev.timerActive(id));
}

TEST(VirtualLoop, NestedProcessUntilKeepsOuterTimersRunning) {
  VirtualLoop ev;
  std::vector<std::string> log;
  bool innerDone = false, outerDone = false;
  int outerTicks = 0;
  TimerId tick = ev.startRepeating(10ms, [&] { ++outerTicks; });
  ev.startTimer(5ms, [&] {
    log.push_back("modal opens");
    ev.startTimer(50ms, [&] { innerDone = true; });
    ev.processUntil([&] { return innerDone; });  // a modal wait inside a callback
    log.push_back("modal closes");
    outerDone = true;
  });
  ev.processUntil([&] { return outerDone; });
  ev.stopTimer(tick);
  EXPECT_EQ(log, (std::vector<std::string>{"modal opens", "modal closes"}));
  EXPECT_EQ(ev.elapsed(), 55ms);
  EXPECT_EQ(outerTicks, 5);  // the repeating timer kept firing during the nested wait
}

TEST(VirtualLoop, RepeatingTimerIsNotReenteredWhileItsCallbackWaits) {
  VirtualLoop ev;
  int depth = 0, maxDepth = 0, calls = 0;
  TimerId id = ev.startRepeating(10ms, [&] {
    ++calls;
    maxDepth = std::max(maxDepth, ++depth);
    if (calls == 1) ev.processFor(100ms);
    --depth;
  });
  ev.processFor(200ms);
  ev.stopTimer(id);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_GT(calls, 5);
}

TEST(VirtualLoop, ARepeatingTimerWhoseCallbackThrowsKeepsRunning) {
  VirtualLoop ev;
  int ticks = 0;
  TimerId id = ev.startRepeating(10ms, [&] {
    if (++ticks == 1) throw std::runtime_error("first tick fails");
  });
  EXPECT_THROW(ev.processFor(15ms), std::runtime_error);
  ev.processFor(50ms);
  ev.stopTimer(id);
  EXPECT_GE(ticks, 5);
}

TEST(VirtualLoop, PostedCallsRunInOrderAfterTheCurrentCallback) {
  VirtualLoop ev;
  std::string seen;
  ev.post([&] {
    seen += "a";
    ev.post([&] { seen += "c"; });
    seen += "b";
  });
  ev.processUntil([&] { return seen.size() == 3; });
  EXPECT_EQ(seen, "abc");
  EXPECT_EQ(ev.elapsed(), 0ms);
}

TEST(VirtualLoop, WaitingForNothingIsATestBug) {
  VirtualLoop ev;
  EXPECT_THROW(ev.processUntil([] { return false; }), std::logic_error);
}

TEST(VirtualLoop, ZeroIntervalTimerThatRearmsItselfDoesNotStarveTheLoop) {
  VirtualLoop ev;
  int rearms = 0;
  bool other = false;
  std::function<void()> again = [&] {
    if (++rearms < 1000) ev.startTimer(0ms, again);
  };
  ev.startTimer(0ms, again);
  ev.post([&] { other = true; });
  ev.processUntil([&] { return other; });
  EXPECT_LT(rearms, 1000);
}

TEST(LoopOverride, InstallsAndRestoresTheProcessLoop) {
  EventLoop* before = &loop();
  {
    VirtualLoop ev;
    LoopOverride use(ev);
    EXPECT_EQ(&loop(), &ev);
  }
  EXPECT_EQ(&loop(), before);
}

TEST(PollLoop, FdReadinessThroughAPipe) {
  PollLoop ev;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::string received;
  WatchId w = ev.watchRead(fds[0], [&] {
    char buf[16];
    ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n > 0) received.append(buf, static_cast<size_t>(n));
  });
  ev.startTimer(20ms, [&] { ASSERT_EQ(::write(fds[1], "ping", 4), 4); });
  auto start = Clock::now();
  ev.processUntil([&] { return received == "ping"; });
  EXPECT_GE(Clock::now() - start, 20ms);
  ev.unwatch(w);
  close(fds[0]);
  close(fds[1]);
}

TEST(PollLoop, TimerWaitsInRealTime) {
  PollLoop ev;
  bool fired = false;
  auto start = Clock::now();
  ev.startTimer(30ms, [&] { fired = true; });
  ev.processUntil([&] { return fired; });
  auto took = Clock::now() - start;
  EXPECT_GE(took, 30ms);
}
