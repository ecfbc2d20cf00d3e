// Screenshots of the desktop window and its boxes for review, on a simulated chip:
//   kalmar_screenshots OUTPUT_DIR HEX_FILE
// Run by tools/screenshots.sh under Xvfb.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <cctype>
#include <cstdio>

#include "qt/box_texts.h"
#include "qt/cell_edit.h"
#include "qt/desktop_rig.h"
#include "qt/message_box.h"
#include "qt/page_viewer.h"

using kalmar::MessageResult;
using kalmar::sim::ChipKind;
using kalmar::testing::DesktopRig;

namespace {

QString outputDir;

// The screen around the window and any box it shows, decorations included.
void shot(DesktopRig& rig, const char* name) {
  QApplication::processEvents();
  QRect area = rig.window->frameGeometry();
  if (QWidget* modal = QApplication::activeModalWidget()) area |= modal->frameGeometry();
  QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
  QPixmap picture = screen.isNull() ? rig.window->grab() : screen.copy(area.adjusted(-2, -2, 2, 2));
  const QString path = outputDir + "/" + name + ".png";
  picture.save(path);
  std::printf("%s\n", path.toUtf8().constData());
}

void click(DesktopRig& rig, const char* name) {
  QTest::mouseClick(rig.find<QToolButton>(name), Qt::LeftButton);
  rig.settle();
}

void waitForWindow(DesktopRig& rig) {
  (void)QTest::qWaitForWindowExposed(rig.window.get());
  QTest::qWait(400);  // the window manager draws its frame
}

void programAndReadAll(DesktopRig& rig, const std::string& hexFile) {
  rig.nextFile = hexFile;
  rig.trigger("N4");
  rig.answers = {MessageResult::Ok, MessageResult::Ok};
  rig.trigger("N15");
  rig.trigger("N16");          // the file's data memory too
  rig.trigger("PIC16F628A1");  // a fresh buffer, then everything from the chip
  rig.trigger("N24");
}

// A box the program shows while `act` runs, on screen as the user meets it.
void realBox(DesktopRig& rig, const char* name, const std::function<void()>& act) {
  auto scripted = rig.host.scriptedMessage;
  rig.host.scriptedMessage = nullptr;
  QTimer::singleShot(800, [&rig, name] {
    shot(rig, name);
    if (QWidget* box = QApplication::activeModalWidget()) static_cast<QDialog*>(box)->reject();
  });
  act();
  rig.host.scriptedMessage = scripted;
}

// The program's longest box texts at a large font, each box alone.
void largeFontBoxes() {
  const QFont original = QApplication::font();
  QFont large = original;
  large.setPixelSize(16);
  QApplication::setFont(large);
  int n = 0;
  for (const auto& [caption, text] : longestBoxTexts()) {
    kalmar::qt::MessageDialog box(nullptr, caption, text, kalmar::MessageIcon::None,
                                  kalmar::MessageButtons::OkCancel);
    box.show();
    (void)QTest::qWaitForWindowExposed(&box);
    QTest::qWait(300);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QStringLiteral("%1/12-box-16px-%2.png").arg(outputDir).arg(++n);
    (screen.isNull() ? box.grab() : screen.copy(box.frameGeometry().adjusted(-2, -2, 2, 2)))
        .save(path);
    std::printf("%s\n", path.toUtf8().constData());
  }
  QApplication::setFont(original);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: kalmar_screenshots OUTPUT_DIR HEX_FILE\n");
    return 2;
  }
  outputDir = argv[1];
  const std::string hexFile = argv[2];
  app.setStyle("Fusion");
  QFont font = app.font();
  font.setPixelSize(11);
  app.setFont(font);

  {
    DesktopRig rig(ChipKind::PIC16F84);
    waitForWindow(rig);
    shot(rig, "1-start-pic16f84");
  }
  {
    // The field panels: two configuration words, then the calibration word.
    DesktopRig rig(ChipKind::PIC16F88);
    waitForWindow(rig);
    rig.trigger("N12");  // "Прочитать" -> "Слово конфигурации"
    auto* fosc = rig.find<QComboBox>("ConfigField1");
    fosc->setCurrentIndex(5);
    emit fosc->activated(5);
    rig.settle();
    shot(rig, "17-pic16f88-field-panel");
    fosc->showPopup();
    QTest::qWait(300);
    shot(rig, "17-pic16f88-field-list-open");
    fosc->hidePopup();
  }
  {
    DesktopRig rig(ChipKind::PIC12F683);
    waitForWindow(rig);
    rig.trigger("N12");
    shot(rig, "18-pic12f683-field-panel");
  }
  {
    DesktopRig rig(ChipKind::PIC16F716);  // no data memory
    waitForWindow(rig);
    shot(rig, "19-pic16f716-field-panel");
  }
  for (ChipKind kind : {ChipKind::PIC16F690, ChipKind::PIC16F877A, ChipKind::PIC16F886}) {  // ICSP
    DesktopRig rig(kind);
    waitForWindow(rig);
    rig.trigger("N12");
    std::string name = kalmar::sim::chipName(kind);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    name = "20-" + name + "-field-panel";
    shot(rig, name.c_str());
  }
  {
    DesktopRig rig(ChipKind::PIC16F628A);
    waitForWindow(rig);
    programAndReadAll(rig, hexFile);
    shot(rig, "2-pic16f628a-read-all");

    click(rig, "SpeedButton4");
    QTest::mouseClick(rig.find<QWidget>("Memo2"), Qt::LeftButton);
    rig.settle();
    shot(rig, "3-listing-footnote-open");
    click(rig, "SpeedButton6");

    click(rig, "SpeedButton8");
    for (char c : std::string("C0FFEE12"))  // each key to the cell that has the focus
      QTest::keyClick(QApplication::focusWidget(), c);
    shot(rig, "4-data-memory-editor");
    click(rig, "SpeedButton2");

    rig.nextFile = hexFile;
    rig.trigger("N4");
    bool taken = false;
    rig.host.setWindow(rig.window.get(), [&] {
      rig.window->showState();
      if (!taken && rig.form->window.ProgressBar1 >= 40 && rig.form->window.Panel2Visible) {
        taken = true;
        shot(rig, "6-wait-panel-during-write");
      }
    });
    rig.answers = {MessageResult::Ok, MessageResult::Ok};
    rig.trigger("N15");
    rig.host.setWindow(rig.window.get(), [&] { rig.window->showState(); });

    rig.stack->chip()->program[0x10] ^= 0x0003;  // one word no longer matches the file
    rig.host.scriptedMessage = nullptr;          // the real box this time
    QTimer::singleShot(800, [&rig] {
      shot(rig, "7-verify-failure-box");
      if (QWidget* box = QApplication::activeModalWidget()) static_cast<QDialog*>(box)->accept();
    });
    click(rig, "SpeedButton13");
  }
  {
    DesktopRig rig(ChipKind::PIC16F628A);
    waitForWindow(rig);
    programAndReadAll(rig, hexFile);
    click(rig, "SpeedButton4");
    auto whenShown = [&rig](const char* name, auto act) {
      QTimer* poll = new QTimer(rig.window.get());
      QObject::connect(poll, &QTimer::timeout, [&rig, poll, name, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != name) return;
        poll->stop();
        poll->deleteLater();
        QTest::qWait(300);
        act(modal);
      });
      poll->start(50);
    };
    whenShown("TForm2", [&rig](QWidget* dialog) {
      auto* list = dialog->findChild<QComboBox*>("ComboBox1");
      list->setCurrentIndex(3);
      emit list->activated(3);
      rig.settle();
      shot(rig, "8-colour-dialog-light-1");
      QTest::mouseClick(dialog->findChild<QPushButton*>("SpeedButton17"), Qt::LeftButton);
    });
    rig.trigger("N40");
    whenShown("TForm3", [&rig](QWidget* about) {
      shot(rig, "9-about-box");
      static_cast<QDialog*>(about)->accept();
    });
    rig.trigger("N29");
    shot(rig, "10-light-1-saved");
  }
  {
    DesktopRig rig(ChipKind::PIC16F628A);
    waitForWindow(rig);
    realBox(rig, "11-erase-question", [&rig] { rig.trigger("N33"); });
    click(rig, "SpeedButton8");
    QTest::keyClicks(QApplication::focusWidget(), "A5");
    auto* cell49 = rig.find<kalmar::qt::CellEdit>("MaskEdit50");
    QTest::mouseClick(cell49, Qt::LeftButton, {}, QPoint(3, cell49->height() / 2));
    rig.settle();
    QTest::keyClicks(QApplication::focusWidget(), "3C");
    shot(rig, "13-editor-after-a-click-on-cell-49");
    click(rig, "SpeedButton2");
  }
  {
    // The largest chip: 4096 words, 32 data rows.
    DesktopRig rig(ChipKind::PIC16F648A);
    waitForWindow(rig);
    const std::string file =
        std::string(KALMAR_PAGES_DIR) +
        "/../../shared/testdata/hex/PIC16F648A/7m4mon__pic16f648a-bert__BERT.hex";
    rig.nextFile = file;
    rig.trigger("N4");
    rig.answers = {MessageResult::Ok, MessageResult::Ok};
    rig.trigger("N43");  // "Программировать всё из файла"
    rig.trigger("PIC16F648A1");
    rig.trigger("N24");  // "Прочитать" -> "Все"
    shot(rig, "15-pic16f648a-read-all");
  }
  {
    DesktopRig rig(ChipKind::PIC16F676);
    waitForWindow(rig);
    rig.trigger("N24");
    shot(rig, "16-pic16f676-read-all");
  }
  largeFontBoxes();
  for (const char* page : {"Help", "Shema"}) {  // the program's own viewer, no browser needed
    QWidget* viewer =
        kalmar::qt::showPageViewer(nullptr, QStringLiteral(KALMAR_PAGES_DIR "/%1.htm").arg(page));
    (void)QTest::qWaitForWindowExposed(viewer);
    QTest::qWait(400);
    const QString path = QStringLiteral("%1/14-viewer-%2.png").arg(outputDir, page);
    viewer->grab().save(path);
    std::printf("%s\n", path.toUtf8().constData());
    // The adapters on a USB board and a Raspberry Pi: both pages' own section.
    if (auto* browser = viewer->findChild<QTextBrowser*>()) {
      browser->scrollToAnchor(QStringLiteral("usb"));
      QTest::qWait(200);
      const QString usb = QStringLiteral("%1/14-viewer-%2-usb.png").arg(outputDir, page);
      viewer->grab().save(usb);
      std::printf("%s\n", usb.toUtf8().constData());
    }
    viewer->close();
  }
  {
    DesktopRig rig(ChipKind::PIC12F675);
    waitForWindow(rig);
    click(rig, "SpeedButton14");
    shot(rig, "5-pic12f675-bg-chooser-open");
  }
  return 0;
}
