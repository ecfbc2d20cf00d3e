#include "win32/main_window.h"

#include <commctrl.h>

#include "desktop/colour_look.h"
#include "desktop/pictures.h"
#include "device/startup.h"
#include "win32/config_panels.h"
#include "win32/data_grid.h"
#include "win32/dialogs.h"
#include "win32/id_cells.h"
#include "win32/listing_view.h"
#include "win32/picture_icons.h"
#include "win32/program_view.h"
#include "win32/screen_reader.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TForm1";
// A route chosen by a menu or button runs after that message has been handled.
constexpr UINT kRouteMessage = WM_APP + 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The groups whose focus the window's handlers move and read.
bool tracksFocus(const std::string& name) {
  return name.rfind("MaskEdit", 0) == 0 || name.rfind("GroupBox", 0) == 0;
}

}  // namespace

MainWindow::MainWindow(TForm1& form, WinHost& host, std::string captionSuffix,
                       ScreenMetrics screen)
    : form_(form), host_(host), captionSuffix_(std::move(captionSuffix)), controls_(screen.dpi) {
  INITCOMMONCONTROLSEX common{sizeof common,
                              ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&common);
  registerWindowClass(kWindowClass, windowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"Kalmar", kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, controls_.scale(desktop::kClientWidth),
                            controls_.scale(400), nullptr, nullptr, GetModuleHandleW(nullptr),
                            this);
  bigIcon_ = iconOf(desktop::programPicture(GetSystemMetrics(SM_CXICON)));
  smallIcon_ = iconOf(desktop::programPicture(GetSystemMetrics(SM_CXSMICON)));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  createAreas(screen);
  host_.setWindow(window_, [this] { showState(); });
  host_.beforeDispatch = [this](const MSG& message) { return closeBgList(message); };
  runner_.showState = [this] { showState(); };
  runner_.openDialog = [this](FrontEndRequest request) { openDialog(request); };
  runner_.closeWindow = [this] { SendMessageW(window_, WM_CLOSE, 0, 0); };
}

MainWindow::~MainWindow() {
  host_.setWindow(nullptr, nullptr);
  host_.beforeDispatch = nullptr;
  // Torn down by its owner (a test), not closed: the message loop goes on.
  quitOnDestroy_ = false;
  if (IsWindow(window_)) DestroyWindow(window_);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void MainWindow::createAreas(const ScreenMetrics& screen) {
  scroller_ = std::make_unique<ScrolledClient>(window_, kStyle, WS_EX_CONTROLPARENT, controls_,
                                               screen.workArea);
  client_ = scroller_->groups();
  routes_ = std::make_unique<RouteMenus>(window_, *this);
  config_ = std::make_unique<ConfigPanels>(client_, *this);
  ids_ = std::make_unique<IdCells>(client_, *this);
  data_ = std::make_unique<DataGrid>(client_, *this);
  program_ = std::make_unique<ProgramView>(client_, *this);
  listing_ = std::make_unique<ListingView>(client_, *this);
  status_ = std::make_unique<StatusArea>(client_, scroller_->strip(), controls_);
  for (const desktop::SpeedButtonPlace& place : desktop::kSpeedButtonPlaces)
    routes_->speedButton(place.name, controls_.find(place.group), place.left,
                         desktop::kSpeedRowTop);
  controls_.onContextMenu = [this](HWND panel, POINT at) { contextMenu(panel, at); };
  controls_.colourOf = [this](HWND control, HDC dc) { return colourOf(control, dc); };
  controls_.drawItem = [this](const DRAWITEMSTRUCT& item) { return routes_->draw(item); };
  controls_.onFocus = [this](const std::string& name) {
    if (tracksFocus(name)) form_.window.ActiveControl = name;
  };
  nameForScreenReaders(controls_);
}

void MainWindow::route(const RouteNode& node) {
  PostMessageW(window_, kRouteMessage, 0, reinterpret_cast<LPARAM>(&node));
}

void MainWindow::input(const std::function<void(TForm1&)>& handler) {
  handler(form_);
  if (!showing_) showState();
}

// A right click in a group opens the pop-up menu of the group it lies in.
void MainWindow::contextMenu(HWND panel, POINT at) {
  if (!form_.window.Enabled) return;
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the group's corner
    RECT box;
    GetWindowRect(panel, &box);
    at = {box.left + 8, box.top + 8};
  }
  for (HWND group = panel; group != nullptr && group != window_; group = GetParent(group))
    if (routes_->popup(controls_.nameOf(group), at)) return;
}

void MainWindow::arrange(int dataRows, bool fieldPanel) {
  if (arrangedFor_ == std::pair{dataRows, fieldPanel}) return;
  arrangedFor_ = std::pair{dataRows, fieldPanel};
  const desktop::Geometry& geometry = desktop::geometryFor(dataRows, fieldPanel);
  scroller_->fit(geometry.clientHeight, StatusArea::top(geometry));
  config_->place(geometry);
  ids_->place(geometry);
  data_->place(geometry);
  program_->place(geometry);
  listing_->place(geometry);
  status_->place(geometry);
}

void MainWindow::showColours(const WindowState& window) {
  if (colours_ && *colours_ == window.colours.shown) return;
  colours_ = window.colours.shown;
  // Colour 3 is the window's own text; a light one gets a dark window.
  const std::uint32_t text = window.colours.shown[2];
  controls_.text = text;
  controls_.background =
      desktop::isLight(text) ? desktop::panelFor(text) : GetSysColor(COLOR_BTNFACE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH MainWindow::colourOf(HWND control, HDC dc) {
  const WindowState& w = form_.window;
  if (HBRUSH brush = status_->colourOf(control, dc)) return brush;
  if (HBRUSH brush = config_->colourOf(control, dc, w)) return brush;
  if (HBRUSH brush = ids_->colourOf(control, dc, w)) return brush;
  if (HBRUSH brush = data_->colourOf(control, dc, w)) return brush;
  if (HBRUSH brush = program_->colourOf(control, dc, w)) return brush;
  return listing_->colourOf(control, dc, w);
}

void MainWindow::showState() {
  if (showing_ || window_ == nullptr) return;
  showing_ = true;
  WindowState& w = form_.window;
  arrange(w.dataRowsShown, w.fieldPanel.Visible);
  if (w.Caption != shownCaption_) {
    shownCaption_ = w.Caption;
    SetWindowTextW(window_, wide(w.Caption + captionSuffix_).c_str());
  }
  showColours(w);
  config_->show(w);
  ids_->show(w);
  data_->show(form_);
  program_->show(w);
  listing_->show(form_);
  routes_->show(w);
  status_->show(w);
  // While the busy lock is on the window takes no input; boxes it shows are
  // windows of their own and still answer.
  if ((IsWindowEnabled(window_) != FALSE) != w.Enabled && !runner_.closed())
    EnableWindow(window_, w.Enabled ? TRUE : FALSE);
  showFocus();
  showing_ = false;
}

// The handlers name the component that should have the focus.
void MainWindow::showFocus() {
  const WindowState& w = form_.window;
  if (w.ActiveControl.empty() || !w.Enabled) return;
  HWND target = controls_.find(w.ActiveControl);
  if (target == nullptr || GetFocus() == target || !IsWindowVisible(target) ||
      !IsWindowEnabled(target))
    return;
  // The caret first: the cell's enter handler reads it when the focus arrives.
  wchar_t className[16] = {};
  GetClassNameW(target, className, 16);
  if (lstrcmpiW(className, L"EDIT") == 0)
    SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(w.SelStart),
                 static_cast<LPARAM>(w.SelStart + w.SelLength));
  SetFocus(target);
}

void MainWindow::openDialog(FrontEndRequest request) {
  if (request == FrontEndRequest::Colours) {
    showState();
    runColourDialog(window_, *this);
    showState();
  } else if (request == FrontEndRequest::About) {
    runAboutBox(window_, *this);
  }
}

// The application-wide hook: a left press anywhere outside the open BG list closes it.
bool MainWindow::closeBgList(const MSG& message) {
  const bool left = message.message == WM_LBUTTONDOWN || message.message == WM_NCLBUTTONDOWN;
  const bool right = message.message == WM_RBUTTONDOWN || message.message == WM_NCRBUTTONDOWN;
  if ((left || right) && form_.window.bg.open()) {
    AppMessage(form_, left, config_->isOnBgList(message.hwnd));
    if (!form_.window.bg.open()) showState();
  }
  return false;  // the press goes on to its control
}

void MainWindow::show(int showCommand) {
  showState();
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
}

void MainWindow::dispatch(MSG& message) {
  const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  HWND focus = key ? GetFocus() : nullptr;
  host_.dispatch(message);
  // A control the keyboard moves to comes into view; a click leaves the view as it is.
  if (key && GetFocus() != focus && scroller_) scroller_->keepInView(GetFocus());
}

int MainWindow::run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, w, l);
  return self->handle(window, message, w, l);
}

// The window's own scroll bar, the wheel, and a changed work area: true when handled.
bool MainWindow::scrollMessage(UINT message, WPARAM w, LPARAM l) {
  if (!scroller_) return false;
  switch (message) {
    case WM_VSCROLL:
      if (l != 0) return false;  // a scroll bar control's
      scroller_->scroll(LOWORD(w));
      return true;
    case WM_MOUSEWHEEL:
      scroller_->wheel(GET_WHEEL_DELTA_WPARAM(w));
      return true;
    case WM_SETTINGCHANGE:
      if (w == SPI_SETWORKAREA) scroller_->refit();
      return false;
    case WM_DISPLAYCHANGE:
      scroller_->refit();
      return false;
    default:
      return false;
  }
}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (scrollMessage(message, w, l)) return 0;
  switch (message) {
    case kRouteMessage:
      runner_.run(reinterpret_cast<const RouteNode*>(l)->handler);
      return 0;
    case WM_COMMAND:
      if (l == 0 && routes_ && routes_->menuCommand(LOWORD(w))) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (HIWORD(l) == FALSE && routes_) routes_->menuOpening(reinterpret_cast<HMENU>(w));
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE && !runner_.running() && !runner_.closed()) FormActivate(form_);
      break;
    case WM_CLOSE:
      // During a command the close waits for its end: the adapter is idle then.
      if (runner_.requestClose()) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      if (quitOnDestroy_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace kalmar::win32
