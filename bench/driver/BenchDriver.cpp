// Prints the channel's figures:
//  1. CPU seconds / wall seconds while a command waits 10 s for a reply that never comes on a
//     pseudo-terminal (target below 0.01: waiting must cost nothing);
//  2. acknowledgement latency on a pseudo-terminal, from the instrument writing the last byte of
//     its reply to Transmit returning (target: median below 1 ms);
//  3. CPU time of 10,000 command/acknowledgement exchanges over a VirtualSerialLink on virtual
//     time (target below 1 s).
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/BenchClock.h"
#include "driver/CChannel.h"
#include "driver/MPortTable.h"
#include "platform/ComError.h"
#include "platform/PollLoop.h"
#include "platform/VirtualLoop.h"
#include "platform/serial/VirtualSerialLink.h"
#include "support/PseudoTerminal.h"
#include "support/ScriptedPeer.h"

namespace {

using bench::cpuSeconds;
using bench::wallSeconds;

void idleWait() {
  platform::PollLoop ev;
  platform::LoopOverride use(ev);
  testing_pty::PseudoTerminal pty;
  vti::CChannel channel;
  channel.OpenPort(vti::MPortTable::CreatePort(pty.slavePath()), 1);
  double cpu0 = cpuSeconds(), wall0 = wallSeconds();
  try {
    channel.Transmit("STAT2", "\r\n");  // the instrument stays silent for the whole 10 s
  } catch (const platform::ComError&) {
  }
  double cpu = cpuSeconds() - cpu0, wall = wallSeconds() - wall0;
  std::printf(
      "idle wait for a missing reply (pty): wall %.3f s, cpu %.6f s, cpu/wall %.6f "
      "(target < 0.01)\n",
      wall, cpu, cpu / wall);
}

void acknowledgementLatency() {
  platform::PollLoop ev;
  platform::LoopOverride use(ev);
  testing_pty::PseudoTerminal pty;
  vti::CChannel channel;
  channel.OpenPort(vti::MPortTable::CreatePort(pty.slavePath()), 1);
  std::chrono::steady_clock::time_point lastByteWritten;
  // The instrument answers in two writes; the clock starts when the last byte is on its way.
  pty.onCommand([&](const std::string&) {
    pty.write("*\r");
    ev.startTimer(std::chrono::milliseconds(2), [&] {
      pty.write("\n");
      lastByteWritten = std::chrono::steady_clock::now();
    });
  });
  constexpr int kRounds = 500;
  std::vector<double> micros;
  for (int i = 0; i < kRounds; ++i) {
    channel.Transmit("PPV", "\r\n");
    auto returned = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(returned - lastByteWritten).count());
  }
  std::sort(micros.begin(), micros.end());
  std::printf(
      "acknowledgement latency (pty, %d rounds): median %.1f us, p90 %.1f us, max %.1f us "
      "(target: median < 1000 us)\n",
      kRounds, micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.back());
}

void virtualExchanges() {
  platform::VirtualLoop ev;
  platform::LoopOverride use(ev);
  platform::serial::VirtualSerialLink link;
  testing_peer::ScriptedPeer peer(link.deviceEnd());
  peer.respond([](const std::string&) { return std::string("*\r\n"); });
  vti::CChannel channel;
  channel.OpenPort(link.hostEnd(), 1);
  constexpr int kExchanges = 10000;
  double cpu0 = cpuSeconds();
  int acknowledged = 0;
  for (int i = 0; i < kExchanges; ++i) {
    acknowledged += channel.TransmitCmd("SAF", "\r\n", false, 3) == "*\r\n";
  }
  double cpu = cpuSeconds() - cpu0;
  std::printf(
      "%d command/acknowledgement exchanges (VirtualSerialLink, VirtualLoop): cpu %.3f s "
      "(target < 1 s), %d acknowledged, %.1f s of line time\n",
      kExchanges, cpu, acknowledged, static_cast<double>(ev.elapsed().count()) / 1000.0);
}

}  // namespace

int main() {
  virtualExchanges();
  acknowledgementLatency();
  idleWait();
  return 0;
}
