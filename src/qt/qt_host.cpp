#include "qt/qt_host.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdio>

#include "qt/message_box.h"
#include "qt/page_viewer.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

QString filterOf(const FileDialogRequest& request) {
  const QString pattern = qs(request.filter);
  const QString description = qs(request.filterDescription).trimmed();
  return description.isEmpty() ? pattern : description + " (" + pattern + ")";
}

QFileDialog* fileDialog(QWidget* parent, const FileDialogRequest& request) {
  auto* dialog = new QFileDialog(parent, qs(request.title), QString(), filterOf(request));
  dialog->setOption(QFileDialog::DontUseNativeDialog);  // the same dialog on every desktop
  if (!request.initialName.empty()) dialog->selectFile(qs(request.initialName));
  return dialog;
}

std::optional<std::string> chosenFile(QFileDialog* dialog) {
  std::optional<std::string> path;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
    path = dialog->selectedFiles().first().toStdString();
  delete dialog;
  return path;
}

}  // namespace

void QtHost::setWindow(QWidget* window, std::function<void()> showState) {
  window_ = window;
  showState_ = std::move(showState);
}

void QtHost::pump() {
  if (showState_) showState_();
  QApplication::processEvents();
}

MessageResult QtHost::messageBox(const std::string& caption, const std::string& text,
                                 MessageIcon icon, MessageButtons buttons) {
  if (toStderr_) {
    std::fprintf(stderr, "kalmar: %s %s\n", caption.c_str(), text.c_str());
    return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
  }
  if (showState_) showState_();
  if (scriptedMessage) return scriptedMessage(caption, text, icon, buttons);
  MessageDialog box(window_, qs(caption), linesOf(text), icon, buttons);
  return box.ask();
}

void QtHost::beep() {
  ++beeps;
  QApplication::beep();
}

std::optional<std::string> QtHost::openFileDialog(const FileDialogRequest& request) {
  if (scriptedOpen) return scriptedOpen(request);
  QFileDialog* dialog = fileDialog(window_, request);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  return chosenFile(dialog);
}

std::optional<std::string> QtHost::saveFileDialog(const FileDialogRequest& request) {
  if (scriptedSave) return scriptedSave(request);
  QFileDialog* dialog = fileDialog(window_, request);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);  // the listing replaces the file, unasked
  return chosenFile(dialog);
}

std::optional<std::uint32_t> QtHost::pickColour(std::uint32_t initial) {
  const QColor colour = QColorDialog::getColor(colourOf(initial), window_);
  if (!colour.isValid()) return std::nullopt;
  return valueOf(colour);
}

void QtHost::shellOpen(const std::string& target) {
  const QString text = qs(target);
  if (QFileInfo::exists(text))
    openPage(window_, text);
  else
    QDesktopServices::openUrl(QUrl::fromUserInput(text));
}

}  // namespace kalmar::qt
