#include "qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include "device/startup.h"
#include "qt/accessible_views.h"
#include "qt/icons.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

bool isInside(QObject* object, QWidget* ancestor) {
  for (; object != nullptr; object = object->parent())
    if (object == ancestor) return true;
  return false;
}

// The components whose focus the window's handlers move and read.
bool tracksFocus(const QString& name) {
  return name.startsWith(QLatin1String("MaskEdit")) || name.startsWith(QLatin1String("GroupBox"));
}

}  // namespace

MainWindow::MainWindow(TForm1& form, QtHost& host, std::string captionSuffix)
    : form_(form), host_(host), captionSuffix_(std::move(captionSuffix)) {
  installAccessibleViews();
  setObjectName("TForm1");
  setWindowIcon(programIcon());
  client_ = new QWidget(this);
  client_->setObjectName("ClientArea");
  client_->setAutoFillBackground(true);
  setCentralWidget(client_);
  area_ = new QWidget(client_);
  area_->setObjectName("Commands");

  routes_ = std::make_unique<RouteWidgets>(menuBar(), *this);
  config_ = std::make_unique<ConfigPanels>(area_, *this);
  ids_ = std::make_unique<IdCells>(area_, *this);
  data_ = std::make_unique<DataGrid>(area_, *this);
  program_ = std::make_unique<ProgramView>(area_, *this);
  listing_ = std::make_unique<ListingView>(area_, *this);
  status_ = std::make_unique<StatusArea>(client_);

  for (const desktop::SpeedButtonPlace& place : desktop::kSpeedButtonPlaces)
    routes_->speedButton(place.name, area_->findChild<QWidget*>(place.group), place.left,
                         kSpeedRowTop);
  QWidget* programGroup = program_->group();
  for (QWidget* group : std::initializer_list<QWidget*>{programGroup, data_->group(), ids_->group(),
                                                        config_->GroupBox5, config_->GroupBox7,
                                                        config_->FieldPanel})
    routes_->attachPopup(group);

  layout()->setSizeConstraint(QLayout::SetFixedSize);
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && tracksFocus(now->objectName()))
      form_.window.ActiveControl = now->objectName().toStdString();
  });
  host_.setWindow(this, [this] { showState(); });
  runner_.showState = [this] { showState(); };
  runner_.openDialog = [this](FrontEndRequest request) { openDialog(request); };
  runner_.closeWindow = [this] { close(); };
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  host_.setWindow(nullptr, nullptr);
}

void MainWindow::route(const RouteNode& node) {
  // After the menu or button that chose it has finished its own event.
  QTimer::singleShot(0, this, [this, handler = node.handler] { runner_.run(handler); });
}

void MainWindow::input(const std::function<void(TForm1&)>& handler) {
  handler(form_);
  if (!showing_) showState();
}

void MainWindow::openDialog(FrontEndRequest request) {
  if (request == FrontEndRequest::Colours) {
    colourDialog_ = std::make_unique<ColourDialog>(this, *this);
    showState();
    colourDialog_->exec();  // its buttons close it; the window shows every choice meanwhile
    colourDialog_.reset();
    showState();
  }
  if (request == FrontEndRequest::About) {
    AboutBox about(this, *this);
    about.showState(form_.window);
    about.exec();
  }
}

void MainWindow::arrange(int dataRows, bool fieldPanel) {
  if (arrangedFor_ == std::pair{dataRows, fieldPanel}) return;
  arrangedFor_ = std::pair{dataRows, fieldPanel};
  const Geometry& geometry = geometryFor(dataRows, fieldPanel);
  client_->setFixedSize(kClientWidth, geometry.clientHeight);
  area_->setGeometry(0, 0, kClientWidth, geometry.clientHeight);
  config_->place(geometry);
  ids_->place(geometry);
  data_->place(geometry);
  program_->place(geometry);
  listing_->place(geometry);
  status_->place(geometry);
}

void MainWindow::showColours(const WindowState& window) {
  if (colours_ && colours_->shown == window.colours.shown) return;
  colours_ = window.colours;
  // Colour 3 is the window's own text; a light one gets a dark window.
  const QColor text = colourOf(window.colours.shown[2]);
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::WindowText, text);
  if (isLight(text)) {
    const QColor field = fieldFor(text);
    palette.setColor(QPalette::Window, field.lighter(130));
    palette.setColor(QPalette::Button, field.lighter(130));
    palette.setColor(QPalette::ButtonText, text);
    // Switches keep their white boxes, so their marks stay visible.
  }
  client_->setPalette(palette);
}

void MainWindow::showState() {
  if (showing_) return;
  showing_ = true;
  WindowState& w = form_.window;
  arrange(w.dataRowsShown, w.fieldPanel.Visible);
  if (w.Caption != shownCaption_) {
    shownCaption_ = w.Caption;
    setWindowTitle(qs(w.Caption + captionSuffix_));
  }
  showColours(w);
  config_->show(w);
  ids_->show(w);
  data_->show(form_);
  program_->show(w);
  listing_->show(form_);
  routes_->show(w);
  status_->show(w);
  if (colourDialog_) colourDialog_->showState(w);
  showFocus();
  showing_ = false;
}

// The handlers name the component that should have the focus.
void MainWindow::showFocus() {
  const WindowState& w = form_.window;
  if (w.ActiveControl.empty() || !w.Enabled) return;
  QWidget* focused = QApplication::focusWidget();
  const QString wanted = qs(w.ActiveControl);
  if (focused != nullptr && focused->objectName() == wanted) return;
  auto* target = area_->findChild<QWidget*>(wanted);
  if (target == nullptr || !target->isVisible() || !target->isEnabled()) return;
  // The caret first: the cell's enter handler reads it when the focus arrives.
  if (auto* cell = qobject_cast<QLineEdit*>(target)) applySelection(form_, *cell);
  target->setFocus(Qt::OtherFocusReason);
}

namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
      return true;
    default:
      return false;
  }
}

}  // namespace

// While the busy lock is on, the window takes no input, as a disabled
// window does; it keeps its look, so the whole window is not repainted
// greyed at every step of a command. Boxes it shows are windows of their
// own and still answer.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!form_.window.Enabled && isUserInput(event->type()) && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this)
    return true;
  return appMessage(watched, event) || QMainWindow::eventFilter(watched, event);
}

// The application-wide hook: a left press anywhere outside the open BG list closes it.
bool MainWindow::appMessage(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && form_.window.bg.open() &&
      watched->isWidgetType()) {
    auto* press = static_cast<QMouseEvent*>(event);
    const bool onList = isInside(watched, config_->ListBox1);
    AppMessage(form_, press->button() == Qt::LeftButton, onList);
    if (!form_.window.bg.open()) showState();
  }
  return false;  // the press goes on to its widget
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !runner_.running()) FormActivate(form_);
  return QMainWindow::event(event);
}

// A close request during a command waits for its end: the adapter is idle
// then, and the window is never torn down under a running command.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (runner_.requestClose())
    event->accept();
  else
    event->ignore();
}

}  // namespace kalmar::qt
