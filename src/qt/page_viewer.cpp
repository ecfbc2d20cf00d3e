#include "qt/page_viewer.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QProcess>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kalmar::qt {

QWidget* showPageViewer(QWidget* parent, const QString& path) {
  auto* viewer = new QDialog(parent);
  viewer->setObjectName("PageViewer");
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->resize(960, 700);
  auto* browser = new QTextBrowser(viewer);
  browser->setObjectName("PageText");
  // Pages of the program's own folder (and their anchors) open here; web
  // sites in the desktop's browser.
  browser->setOpenLinks(false);
  QObject::connect(browser, &QTextBrowser::anchorClicked, browser, [browser](const QUrl& url) {
    const QUrl target = browser->source().resolved(url);
    if (target.isLocalFile())
      browser->setSource(target);
    else
      QDesktopServices::openUrl(target);
  });
  browser->setSearchPaths({QFileInfo(path).absolutePath()});
  browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  QObject::connect(browser, &QTextBrowser::sourceChanged, viewer,
                   [viewer, browser] { viewer->setWindowTitle(browser->documentTitle()); });
  viewer->setWindowTitle(browser->documentTitle());
  auto* column = new QVBoxLayout(viewer);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(browser);
  viewer->show();
  return viewer;
}

void openPage(QWidget* parent, const QString& path) {
#if defined(Q_OS_WIN)
  // Windows tells at once whether a program takes the page.
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
    showPageViewer(parent, path);
#else
  auto* opener = new QProcess(parent);
  const auto fallBack = [parent, path, opener] {
    opener->deleteLater();
    showPageViewer(parent, path);
  };
  // xdg-open exits with a failure when no program takes the page (3, 4);
  // with a browser it ends when the browser has it, or when it closes.
  QObject::connect(opener, &QProcess::finished, opener,
                   [fallBack, opener](int code, QProcess::ExitStatus how) {
                     if (code != 0 || how != QProcess::NormalExit)
                       fallBack();
                     else
                       opener->deleteLater();
                   });
  QObject::connect(opener, &QProcess::errorOccurred, opener,
                   [fallBack](QProcess::ProcessError error) {
                     if (error == QProcess::FailedToStart) fallBack();
                   });
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  opener->start(QStringLiteral("xdg-open"), {QFileInfo(path).absoluteFilePath()});
#endif
}

}  // namespace kalmar::qt
