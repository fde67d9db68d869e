// Whole runs of the complete safety test (100) of a device with two applied parts, as the
// technician starts them: `orvel run --unattended` as a program, against the simulator in its
// own process on virtual time, and against trxsim on a pseudo-terminal in real time.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../BenchClock.h"
#include "platform/PollLoop.h"
#include "support/ChildProcess.h"
#include "support/TestFiles.h"

namespace {

using bench::wallSeconds;

struct Run {
  int code = -1;
  std::string output;
  double wall = 0;
  double cpu = 0;  // of the orvel process (and the shell that starts it)
};

double childCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

class Bench {
 public:
  Run orvel(const std::vector<std::string>& args) {
    std::string command =
        "ORVEL_REGISTRY=" + quoted((dir / "registry.ini").string()) + " " + quoted(ORVEL_PATH);
    for (const auto& arg : args) command += " " + quoted(arg);
    Run run;
    const double cpu0 = childCpuSeconds(), wall0 = wallSeconds();
    ChildProcess child({"/bin/sh", "-c", command + " 2>&1"});
    run.code = child.wait();
    run.wall = wallSeconds() - wall0;
    run.cpu = childCpuSeconds() - cpu0;
    run.output = child.output();
    return run;
  }
  // A fresh copy of the template, so every run starts without results.
  std::string freshTemplate(const std::string& name) {
    std::filesystem::copy_file(dir / "template.xml", dir / name,
                               std::filesystem::copy_options::overwrite_existing);
    return (dir / name).string();
  }
  std::string file(const std::string& name) const { return (dir / name).string(); }

  platform::PollLoop loop;
  platform::LoopOverride useRealTime{loop};
  TempDir dir;
};

double virtualSecondsIn(const std::string& output) {
  const std::string marker = " s on the simulated analyzer's clock";
  auto end = output.find(marker);
  if (end == std::string::npos) return 0;
  auto begin = output.rfind(' ', end - 1);
  return std::atof(output.substr(begin + 1, end - begin - 1).c_str());
}

// The shipped answers, except that the operator starts the guide `delay` after it shows.
void writeWaitingAnswers(const std::string& shipped, const std::string& path, int delaySeconds) {
  std::ifstream in(shipped);
  std::ofstream out(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("FTestGuide:", 0) == 0) {
      line = "FTestGuide: after " + std::to_string(delaySeconds) + "s" + line.substr(11);
    }
    out << line << '\n';
  }
}

void report(const char* what, const Run& run) {
  if (run.code == 0 || run.code == 1) return;
  std::printf("%s failed (exit %d):\n%s\n", what, run.code, run.output.c_str());
}

}  // namespace

int main() {
  Bench bench;
  Run created =
      bench.orvel({"template", "new", bench.file("template.xml"), "100", "--standard", "IEC 62353",
                   "--class", "I", "--device", "Infusion pump", "--modules", "ECG:CF:3,SpO2:BF:1"});
  report("template new", created);

  Run simulated = bench.orvel(
      {"run", bench.freshTemplate("simulated.xml"), "--simulate", "healthy", "--unattended"});
  report("run --simulate", simulated);
  const double floor = virtualSecondsIn(simulated.output);
  std::printf(
      "test 100, two applied parts, in-process simulator (VirtualLoop): exit %d, wall %.3f s "
      "(target < 1 s), %.1f s of virtual time\n",
      simulated.code, simulated.wall, floor);

  ChildProcess trxsim({TRXSIM_PATH, "--scenario", "healthy"});
  const std::string& out = trxsim.readUntil(
      [](const std::string& text) { return text.find('\n') != std::string::npos; });
  const std::string port = out.substr(0, out.find('\n'));

  Run real = bench.orvel({"run", bench.freshTemplate("real.xml"), "--port", port, "--unattended"});
  report("run --port", real);
  std::printf(
      "test 100 against trxsim (pty, real time): exit %d, wall %.3f s, protocol floor %.3f s, "
      "wall/floor %.4f (target < 1.02), cpu %.3f s, cpu/wall %.2f %% (target < 2 %%)\n",
      real.code, real.wall, floor, real.wall / floor, real.cpu, 100.0 * real.cpu / real.wall);

  const int wait = 10;
  const std::string answers = bench.file("waiting-answers.txt");
  writeWaitingAnswers(std::string(ORVEL_PATH).substr(0, std::string(ORVEL_PATH).rfind('/')) +
                          "/unattended-answers.txt",
                      answers, wait);
  Run waiting = bench.orvel(
      {"run", bench.freshTemplate("waiting.xml"), "--port", port, "--answers", answers});
  report("run with a waiting operator", waiting);
  const double idleCpu = waiting.cpu - real.cpu, idleWall = waiting.wall - real.wall;
  std::printf(
      "the same with the guide waiting %d s for the operator: wall %.3f s, cpu/wall %.2f %%; "
      "while waiting: cpu %.4f s over %.3f s, %.2f %% (target < 2 %%)\n",
      wait, waiting.wall, 100.0 * waiting.cpu / waiting.wall, idleCpu, idleWall,
      100.0 * idleCpu / idleWall);
  return 0;
}
