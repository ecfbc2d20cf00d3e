#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "model/platform.h"

namespace kalmar {

namespace {

class SystemPlatform final : public Platform {
 public:
  std::int64_t timeOfDayMs() override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 +
           now.tv_nsec / 1'000'000;
  }

  std::string dateTimeText() override {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%d.%m.%Y  %H:%M:%S", &local);
    return text;
  }

  // Real-time scheduling keeps the bit timing steady; without the privilege
  // the program runs at normal priority and the waits still never shorten.
  void setPriorityClass(PriorityClass priority) override {
    sched_param param{};
    if (priority == PriorityClass::RealTime) {
      param.sched_priority = sched_get_priority_min(SCHED_FIFO);
      sched_setscheduler(0, SCHED_FIFO, &param);
    } else {
      param.sched_priority = 0;
      sched_setscheduler(0, SCHED_OTHER, &param);
    }
  }

  bool fileExists(const std::string& path) override {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }

  std::string currentDirectory() override {
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    return error ? std::string(".") : path.string();
  }

  SystemKind systemKind() override { return SystemKind::Linux; }
};

}  // namespace

std::unique_ptr<Platform> makeSystemPlatform() {
  return std::make_unique<SystemPlatform>();
}

}  // namespace kalmar
