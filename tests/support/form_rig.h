#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/startup.h"
#include "model/form1.h"
#include "support/fake_host.h"
#include "support/fake_platform.h"
#include "support/sim_rig.h"

namespace kalmar::testing {

// The headless main window over a simulated chip, a scripted host and a
// fake platform whose working directory is a fresh temporary folder.
struct FormRig {
  explicit FormRig(sim::ChipKind kind = sim::ChipKind::PIC16F84, double slowdown = 1.0)
      : sim(kind, slowdown), form(host, platform, sim.line) {
    static int counter = 0;
    directory = std::filesystem::temp_directory_path() /
                ("kalmar_form_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(directory);
    platform.directory = directory.string();
  }
  ~FormRig() {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  // Creation, settings (or defaults), activation: the window as a user first sees it.
  // The reminder to lower VPP has tests of its own; a rig that selects a
  // chip does not see it.
  void start() {
    FormCreate(form);
    readSettingsAndStart(form);
    FormActivate(form);
    form.lowerVppReminded = true;
  }

  void recordProgress() {
    host.onPump = [this] {
      if (progress.empty() || progress.back() != form.window.ProgressBar1)
        progress.push_back(form.window.ProgressBar1);
    };
  }

  SimRig sim;
  FakeHost host;
  FakePlatform platform;
  TForm1 form;
  std::filesystem::path directory;
  std::vector<int> progress;
};

}  // namespace kalmar::testing
