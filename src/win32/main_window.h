#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>
#include <string>

#include "desktop/command_runner.h"
#include "win32/controls.h"
#include "win32/route_menus.h"
#include "win32/screen_metrics.h"
#include "win32/scrolled_client.h"
#include "win32/status_area.h"
#include "win32/win_host.h"
#include "win32/window_link.h"

namespace kalmar::win32 {

class ConfigPanels;
class IdCells;
class DataGrid;
class ProgramView;
class ListingView;

// TForm1 on the screen of Windows: it assembles the areas, arranges them
// for the selected chip's family, shows the window state after every
// message and every pump, and passes what the user does to the window's
// handlers.
class MainWindow final : public WindowLink {
 public:
  // captionSuffix follows the window caption (the simulated port, or the
  // adapter); screen: what the window is laid out for, the system's screen
  // unless given.
  MainWindow(TForm1& form, WinHost& host, std::string captionSuffix, ScreenMetrics screen = {});
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  void route(const RouteNode& node) override;
  void input(const std::function<void(TForm1&)>& handler) override;
  TForm1& form() override { return form_; }
  Controls& controls() override { return controls_; }

  HWND window() const { return window_; }
  desktop::CommandRunner& runner() { return runner_; }
  // Shows the window state in every control.
  void showState();
  void show(int showCommand);
  // Runs the message loop until the window has closed; the exit code.
  int run();
  // One message as the loop passes it (the tests' own loops too).
  void dispatch(MSG& message);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(HWND window, UINT message, WPARAM w, LPARAM l);
  bool scrollMessage(UINT message, WPARAM w, LPARAM l);
  void createAreas(const ScreenMetrics& screen);
  void arrange(int dataRows, bool fieldPanel);
  void showColours(const WindowState& window);
  void showFocus();
  void openDialog(FrontEndRequest request);
  void contextMenu(HWND panel, POINT at);
  HBRUSH colourOf(HWND control, HDC dc);
  bool closeBgList(const MSG& message);

  TForm1& form_;
  WinHost& host_;
  std::string captionSuffix_;
  desktop::CommandRunner runner_{form_};
  Controls controls_;
  HWND window_ = nullptr;
  std::unique_ptr<ScrolledClient> scroller_;
  HWND client_ = nullptr;  // the groups' panel
  std::unique_ptr<RouteMenus> routes_;
  std::unique_ptr<ConfigPanels> config_;
  std::unique_ptr<IdCells> ids_;
  std::unique_ptr<DataGrid> data_;
  std::unique_ptr<ProgramView> program_;
  std::unique_ptr<ListingView> listing_;
  std::unique_ptr<StatusArea> status_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::optional<std::pair<int, bool>> arrangedFor_;  // the data rows and panel arranged for
  std::optional<std::array<std::uint32_t, 3>> colours_;
  std::string shownCaption_;
  bool showing_ = false;
  bool quitOnDestroy_ = true;
};

}  // namespace kalmar::win32
