#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "desktop/command_runner.h"
#include "qt/about_box.h"
#include "qt/colour_dialog.h"
#include "qt/config_panels.h"
#include "qt/data_grid.h"
#include "qt/id_cells.h"
#include "qt/listing_view.h"
#include "qt/menus.h"
#include "qt/program_view.h"
#include "qt/qt_host.h"
#include "qt/status_area.h"
#include "qt/window_link.h"

namespace kalmar::qt {

// TForm1 on the screen: it assembles the areas, arranges them for the
// selected chip's family, shows the window state after every event and
// every pump, and passes what the user does to the window's handlers.
class MainWindow final : public QMainWindow, public WindowLink {
 public:
  // captionSuffix follows the window caption (the simulated port, or the adapter).
  MainWindow(TForm1& form, QtHost& host, std::string captionSuffix);
  ~MainWindow() override;

  void route(const RouteNode& node) override;
  void input(const std::function<void(TForm1&)>& handler) override;
  TForm1& form() override { return form_; }

  // Shows the window state in every widget.
  void showState();
  bool commandRunning() const { return runner_.running(); }
  desktop::CommandRunner& runner() { return runner_; }
  // Runs before the settings file is written at close (saving a simulated chip).
  std::function<void()>& onClosed = runner_.onClosed;
  // Runs after each command (a route or speed button) has ended.
  std::function<void()>& afterCommand = runner_.afterCommand;
  // The end on a stop signal between commands: what the close box does
  // (chip file, settings), nothing shown.
  void closeForStop() { runner_.closeForStop(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool appMessage(QObject* watched, QEvent* event);
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void openDialog(FrontEndRequest request);
  void arrange(int dataRows, bool fieldPanel);
  void showFocus();
  void showColours(const WindowState& window);

  TForm1& form_;
  desktop::CommandRunner runner_{form_};
  QtHost& host_;
  std::string captionSuffix_;
  std::string shownCaption_;
  QWidget* client_;
  QWidget* area_;  // the groups; the status lines and the wait panel lie over them
  std::unique_ptr<RouteWidgets> routes_;
  std::unique_ptr<ProgramView> program_;
  std::unique_ptr<ListingView> listing_;
  std::unique_ptr<DataGrid> data_;
  std::unique_ptr<IdCells> ids_;
  std::unique_ptr<ConfigPanels> config_;
  std::unique_ptr<StatusArea> status_;
  std::unique_ptr<ColourDialog> colourDialog_;
  std::optional<std::pair<int, bool>> arrangedFor_;  // the data rows and panel the groups stand for
  std::optional<ColourState> colours_;
  bool showing_ = false;
};

}  // namespace kalmar::qt
