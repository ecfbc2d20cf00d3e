#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "model/platform.h"

namespace kalmar::testing {

// A platform whose clock and files the test sets, and which records every
// priority change.
class FakePlatform final : public Platform {
 public:
  std::int64_t timeOfDayMs() override { return timeMs; }
  std::string dateTimeText() override { return dateTime; }
  void setPriorityClass(PriorityClass priority) override { priorities.push_back(priority); }
  bool fileExists(const std::string& path) override {
    return existingFiles.count(path) > 0 ||
           (realFiles && std::filesystem::is_regular_file(std::filesystem::path(path)));
  }
  std::string currentDirectory() override { return directory; }
  SystemKind systemKind() override { return kind; }

  std::int64_t timeMs = 0;
  std::string dateTime = "07.12.2026  12:00:00";
  std::set<std::string> existingFiles;
  bool realFiles = true;  // also answer from the real file system
  std::string directory = "/tmp";
  SystemKind kind = SystemKind::Linux;
  std::vector<PriorityClass> priorities;
};

}  // namespace kalmar::testing
