// "kalmar-cli program" of the pace bench's files in real time through each
// adapter: the FT232R and the GPIO chip through their stand-ins (the
// simulated adapter and chip behind libftdi1's calls and the GPIO character
// device; the FT232R's with its USB round trip of about a millisecond), and
// the parallel port's path with the simulated adapter (-p sim:FILE without
// simulated time: the same waits, but port accesses without system calls).
// For each: the span from the first to the last change of the adapter's
// lines against the floor of the chips' own cycle times, and the process's
// processor time against its wall time; then the wall time of a whole-chip
// verify, read and erase.
//   bench_adapter_pace [TESTDATA_DIR]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "pace_cases.h"

extern char** environ;

namespace {

using namespace kalmar;
namespace fs = std::filesystem;

struct Backend {
  const char* name;
  const char* port;  // the chip file follows "sim:"
  std::vector<std::string> environment;
};

struct Run {
  int status = -1;
  double wallSeconds = 0;
  double cpuSeconds = 0;
};

double monotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Run runProgram(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv) {
  std::vector<std::string> envText;
  for (char** e = environ; *e != nullptr; ++e) envText.emplace_back(*e);
  envText.insert(envText.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> argv, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  for (const std::string& e : envText) envp.push_back(const_cast<char*>(e.c_str()));
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  Run run;
  const double start = monotonicSeconds();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return run;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.wallSeconds = monotonicSeconds() - start;
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The stand-in's report: its violations and the span of the lines' changes.
bool readReport(const fs::path& report, long& violations, double& spanSeconds) {
  std::ifstream in(report);
  std::string word;
  long long spanNs = -1;
  violations = -1;
  while (in >> word) {
    if (word == "violations") in >> violations;
    if (word == "span_ns") in >> spanNs;
  }
  spanSeconds = static_cast<double>(spanNs) * 1e-9;
  return violations >= 0 && spanNs >= 0;
}

// kalmar-cli on the backend's chip file with the stand-in's environment.
Run runCli(const Backend& backend, const fs::path& chipFile, const fs::path& report,
           const char* chip, const std::vector<std::string>& command) {
  std::vector<std::string> env = backend.environment;
  env.push_back("KALMAR_STANDIN_CHIP=" + chipFile.string());
  env.push_back(std::string("KALMAR_STANDIN_KIND=") + chip);
  env.push_back("KALMAR_STANDIN_REPORT=" + report.string());
  std::string port = backend.port;
  if (port == "sim:") port += chipFile.string();
  std::vector<std::string> args = {KALMAR_CLI, "-q", "-y", "-p", port, "-c", chip};
  args.insert(args.end(), command.begin(), command.end());
  return runProgram(args, env);
}

// program against the floor, then the whole-chip commands' wall times.
void measure(const bench::PaceCase& c, const fs::path& file, const Backend& backend,
             double floor, const fs::path& work) {
  const std::string stem = std::string(backend.name) + "-" + c.chip;
  const fs::path chipFile = work / (stem + ".chip");
  const fs::path report = work / (stem + ".report");
  fs::remove(chipFile);
  fs::remove(report);
  const Run run = runCli(backend, chipFile, report, c.chip, {"program", file.string()});
  long violations = -1;
  double span = 0;
  const bool reported = readReport(report, violations, span);
  std::printf("%-11s %-5s exit %d  wall %5.2f s  cpu %5.2f s (%4.1f%%)", c.chip, backend.name,
              run.status, run.wallSeconds, run.cpuSeconds,
              100.0 * run.cpuSeconds / run.wallSeconds);
  if (reported)
    std::printf("  span %5.2f s  floor %5.2f s  ratio %4.2f  violations %ld", span, floor,
                span / floor, violations);
  std::printf("\n");
  const fs::path readBack = work / (stem + ".read.hex");
  const std::vector<std::pair<const char*, std::vector<std::string>>> commands = {
      {"verify", {"verify", file.string()}}, {"read", {"read", "-o", readBack.string()}},
      {"erase", {"erase"}}};
  std::printf("%-11s %-5s", "", backend.name);
  for (const auto& [name, command] : commands) {
    const Run other = runCli(backend, chipFile, report, c.chip, command);
    readReport(report, violations, span);
    std::printf("  %s %5.2f s (exit %d, violations %ld)", name, other.wallSeconds, other.status,
                violations);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path data = argc > 1 ? argv[1] : fs::path(KALMAR_TESTDATA_DIR);
  const fs::path work = fs::temp_directory_path() / "kalmar-adapter-pace";
  fs::create_directories(work);
  const std::vector<Backend> backends = {
      {"lpt", "sim:", {}},
      {"ftdi", "ftdi", {std::string("LD_LIBRARY_PATH=") + KALMAR_FTDI_STANDIN_DIR}},
      {"gpio", "gpio:/dev/gpiochip0",
       {std::string("LD_PRELOAD=") + KALMAR_GPIO_STANDIN,
        "ASAN_OPTIONS=verify_asan_link_order=0"}},
  };
  for (const bench::PaceCase& c : {bench::kPace628A, bench::kPace84A, bench::kPace675}) {
    const fs::path file = data / c.chip / c.file;
    if (!fs::exists(file)) {
      std::printf("%-11s no file %s\n", c.chip, file.string().c_str());
      continue;
    }
    bench::PaceRig rig(c);
    if (!rig.load(file.string())) continue;
    const double floor = bench::floorSeconds(rig.form);
    for (const Backend& backend : backends) measure(c, file, backend, floor, work);
  }
  return 0;
}
