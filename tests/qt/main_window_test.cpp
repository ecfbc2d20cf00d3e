// The desktop window: real widgets over a simulated chip, offscreen.
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "model/hex_text.h"
#include "qt/box_texts.h"
#include "qt/cell_edit.h"
#include "qt/desktop_rig.h"
#include "qt/message_box.h"
#include "qt/progress_line.h"
#include "sim/chip_file.h"

using kalmar::MessageResult;
using kalmar::sim::ChipKind;
using kalmar::testing::DesktopRig;

namespace {

// The project's own PIC16F628A program (tests/programs): every word set.
const std::string k628aFile = std::string(KALMAR_PROGRAMS_DIR) + "/PIC16F628A/filled.hex";

// Runs `act` on the modal window named `name` once it is shown.
void whenModal(const char* name, std::function<void(QWidget*)> act, int tries = 200) {
  QTimer::singleShot(10, [=] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->objectName() == name)
      act(modal);
    else if (tries > 0)
      whenModal(name, act, tries - 1);
  });
}

bool enabled(DesktopRig& rig, const char* name) {
  if (auto* action = rig.find<QAction>(name)) return action->isEnabled();
  return rig.find<QToolButton>(name)->isEnabled();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void routesFollowTheSourceOfTheProgram() {
    DesktopRig rig(ChipKind::PIC16F628A);
    for (const char* off :
         {"N15", "PIC2", "N31", "N34", "N28", "SpeedButton4", "SpeedButton12", "SpeedButton13"})
      QVERIFY2(!enabled(rig, off), off);
    for (const char* on : {"N4", "N16", "N17", "N18", "N32", "N33", "SpeedButton7"})
      QVERIFY2(enabled(rig, on), on);

    rig.nextFile = k628aFile;
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton7"), Qt::LeftButton);
    rig.settle();
    QVERIFY(enabled(rig, "N15") && enabled(rig, "SpeedButton12") && !enabled(rig, "PIC2"));
    rig.trigger("N10");  // "Прочитать" -> "Память программ"
    QVERIFY(!enabled(rig, "N15") && !enabled(rig, "SpeedButton13") && enabled(rig, "PIC2"));
    rig.answers = {MessageResult::Ok};
    rig.trigger("N33");  // "Стереть все"
    QVERIFY(!enabled(rig, "PIC2") && !enabled(rig, "N34") && !enabled(rig, "SpeedButton4"));
  }

  void aFileGoesToTheChipByMenuAndIsVerifiedByButton() {
    DesktopRig rig(ChipKind::PIC16F628A);
    rig.nextFile = k628aFile;
    rig.trigger("N4");
    rig.answers = {MessageResult::Ok, MessageResult::Ok};  // any question the write asks
    rig.trigger("N15");
    QCOMPARE(rig.form->window.StatusBar1,
             std::string(" Последнее выполненое действие: успешная запись данных в память "
                         "программ микроконтроллера."));
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton13"), Qt::LeftButton);
    rig.settle();
    QVERIFY(rig.form->operation.ok);
    QCOMPARE(rig.find<kalmar::qt::ProgressLine>("ProgressBar1")->value(), 106);
    QVERIFY(!rig.find<QFrame>("Panel2")->isVisible());

    rig.window->close();
    std::string error;
    QVERIFY(rig.stack->saveChip(error));
    auto saved = kalmar::sim::loadChipFile((rig.directory / "chip.chip").string());
    QVERIFY(saved.chip);
    for (int i = 0; i < 2048; ++i)
      QCOMPARE(saved.chip->program[static_cast<std::size_t>(i)],
               rig.form->buffer.program[static_cast<std::size_t>(i)]);
    QVERIFY(std::filesystem::exists(rig.directory / "Kalmar.cfg"));
  }

  // In the editor a click puts the caret into the clicked cell; Tab and
  // Shift+Tab go to the neighbours.
  void aClickedCellTakesTheKeys() {
    DesktopRig rig(ChipKind::PIC16F628A);
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton8"), Qt::LeftButton);  // edit
    rig.settle();
    QTest::keyClicks(rig.find<kalmar::qt::CellEdit>("MaskEdit1"), "a5");
    auto* cell49 = rig.find<kalmar::qt::CellEdit>("MaskEdit50");
    QTest::mouseClick(cell49, Qt::LeftButton, {}, QPoint(3, cell49->height() / 2));
    rig.settle();
    QVERIFY(cell49->hasFocus());
    QTest::keyClicks(cell49, "3c");
    QCOMPARE(rig.form->buffer.dataEdit[49], std::uint8_t{0x3C});
    QCOMPARE(rig.form->buffer.dataEdit[1], std::uint8_t{0xFF});
    auto* next = QApplication::focusWidget();
    QCOMPARE(next->objectName(), QString("MaskEdit51"));  // the caret went on
    QTest::keyClick(next, Qt::Key_Tab);
    rig.settle();
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("MaskEdit52"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    rig.settle();
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("MaskEdit51"));
  }

  // A screen reader tells every cell, source box and speed button apart by its
  // name (the two configuration panels' boxes share one: one panel shows).
  void cellsAndButtonsHaveDistinctAccessibleNames() {
    DesktopRig rig(ChipKind::PIC16F628A);
    QSet<QString> names;
    int widgets = 0;
    const auto take = [&](QWidget* widget) {
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
      QVERIFY(accessible != nullptr);
      const QString name = accessible->text(QAccessible::Name);
      QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
      QVERIFY2(!names.contains(name), qPrintable(name));
      names.insert(name);
      ++widgets;
    };
    for (auto* box : rig.window->findChildren<QLineEdit*>())
      if (dynamic_cast<kalmar::qt::CellEdit*>(box) || box->isVisibleTo(rig.window.get())) take(box);
    for (auto* button : rig.window->findChildren<QToolButton*>())
      if (button->objectName().startsWith("SpeedButton")) take(button);
    QVERIFY(widgets >= 128 + 4 + 8);
    QCOMPARE(QAccessible::queryAccessibleInterface(rig.find<QWidget>("MaskEdit50"))
                 ->text(QAccessible::Name),
             QString("Память данных, адрес 31"));
  }

  // The drawn views: program words line by line, the progress as a value,
  // the oscillator switches as radio buttons, a source box by its panel.
  void drawnViewsReadAsRowsValuesAndRoles() {
    DesktopRig rig(ChipKind::PIC16F628A);
    auto* words =
        QAccessible::queryAccessibleInterface(rig.find<QScrollArea>("ScrollBox1")->widget());
    QCOMPARE(words->role(), QAccessible::List);
    QCOMPARE(words->childCount(), 256);
    QCOMPARE(words->child(1)->text(QAccessible::Name),
             QString("0008: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF"));
    QCOMPARE(words->indexOfChild(words->child(1)), 1);
    auto* line = rig.find<kalmar::qt::ProgressLine>("ProgressBar1");
    line->setValue(53);
    auto* progress = QAccessible::queryAccessibleInterface(line);
    QCOMPARE(progress->role(), QAccessible::ProgressBar);
    QCOMPARE(progress->valueInterface()->currentValue().toInt(), 53);
    QCOMPARE(progress->valueInterface()->maximumValue().toInt(), 106);
    QCOMPARE(QAccessible::queryAccessibleInterface(rig.find<QRadioButton>("RadioButton1"))->role(),
             QAccessible::RadioButton);
    auto* source = QAccessible::queryAccessibleInterface(rig.find<QWidget>("Edit4"));
    QCOMPARE(source->text(QAccessible::Name), QString("Память программ, источник"));
    QCOMPARE(source->text(QAccessible::Value).trimmed(), QString("Буфер"));
    QCOMPARE(
        QAccessible::queryAccessibleInterface(rig.find<QWidget>("Edit5"))->text(QAccessible::Name),
        QString("Память данных, источник"));
  }

  // Without a program for web pages "Помощь" shows the page in its own viewer,
  // the schematic's drawing included.
  void pagesShowWithoutABrowser() {
    DesktopRig rig(ChipKind::PIC16F84);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    rig.host.shellOpen(KALMAR_PAGES_DIR "/Help.htm");
    QWidget* viewer = nullptr;
    QTRY_VERIFY((viewer = rig.window->findChild<QWidget*>("PageViewer")) != nullptr);
    qputenv("PATH", path);
    QCOMPARE(viewer->windowTitle(), QString("Kalmar — справка"));
    auto* page = viewer->findChild<QTextBrowser*>("PageText");
    QVERIFY(page->toPlainText().contains("Как работать"));
    page->setSource(QUrl("Shema.htm"));
    const QImage drawing =
        page->document()->resource(QTextDocument::ImageResource, QUrl("Shema.svg")).value<QImage>();
    if (QImageReader::supportedImageFormats().contains("svg")) QCOMPARE(drawing.width(), 900);
    viewer->close();
  }

  void cellsTakeKeystrokesAndRefuseWhatIsNotHex() {
    DesktopRig rig(ChipKind::PIC16F628A);
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton8"), Qt::LeftButton);  // edit
    rig.settle();
    auto* first = rig.find<kalmar::qt::CellEdit>("MaskEdit1");
    QVERIFY(first->hasFocus());
    QTest::keyClicks(first, "a5");
    QCOMPARE(rig.form->buffer.dataEdit[0], std::uint8_t{0xA5});
    auto* second = rig.find<kalmar::qt::CellEdit>("MaskEdit2");
    QVERIFY(second->hasFocus());
    QTest::keyClick(second, Qt::Key_G);
    QCOMPARE(rig.host.beeps, 1);
    QCOMPARE(second->displayText(), QString("FF"));
    QTest::keyClick(second, Qt::Key_Delete);  // a free position: "_F"
    QCOMPARE(rig.host.beeps, 2);
    QCOMPARE(second->displayText(), QString("FF"));
    QCOMPARE(rig.form->buffer.dataEdit[1], std::uint8_t{0xFF});
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton1"), Qt::LeftButton);  // save
    QCOMPARE(rig.form->buffer.data[0], std::uint8_t{0xA5});
    QVERIFY(!rig.find<QGroupBox>("GroupBox3")->isVisible());

    auto* id = rig.find<kalmar::qt::CellEdit>("MaskEdit301");
    id->setFocus();
    id->selectAll();
    QTest::keyClicks(id, "1");  // "1___"
    QCOMPARE(rig.host.beeps, 3);
    QCOMPARE(id->displayText(), QString("3FFF"));
    id->setCursorPosition(0);
    QTest::keyClicks(id, "0a2b");
    QCOMPARE(rig.form->buffer.ids[0], std::uint16_t{0x0A2B});
    QVERIFY(rig.find<kalmar::qt::CellEdit>("MaskEdit302")->hasFocus());
  }

  void bgChooserClosesOnAnyPressAndOnAMenu() {
    DesktopRig rig(ChipKind::PIC12F675);
    auto* panel = rig.find<QFrame>("Panel3");
    QVERIFY(panel->isVisible());
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton14"), Qt::LeftButton);
    QCOMPARE(panel->height(), 87);
    QTest::mouseClick(rig.find<QWidget>("Memo4"), Qt::LeftButton);
    QCOMPARE(panel->height(), 16);
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton14"), Qt::LeftButton);
    auto* list = rig.find<QListWidget>("ListBox1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(panel->height(), 16);
    QCOMPARE(rig.form->window.bg.Label1, std::string("BG - 10"));
    QTest::mouseClick(rig.find<QToolButton>("SpeedButton14"), Qt::LeftButton);
    auto* menu = rig.find<QMenu>("N30");
    emit menu->aboutToShow();
    QCOMPARE(panel->height(), 16);
    QCOMPARE(rig.form->window.bg.ListBox1ItemIndex, 3);
  }

  void chipsSwapTheLayouts() {
    DesktopRig rig(ChipKind::PIC16F84A);
    QVERIFY(rig.find<QGroupBox>("GroupBox5")->isVisible());
    QVERIFY(!rig.find<QGroupBox>("GroupBox7")->isVisible());
    QVERIFY(!rig.find<QWidget>("MaskEdit65")->isVisible());
    QCOMPARE(rig.find<QWidget>("Memo4")->height(), 128 * 13);
    const int shortWindow = rig.window->height();
    rig.trigger("PIC16F628A1");
    QVERIFY(!rig.find<QGroupBox>("GroupBox5")->isVisible());
    QVERIFY(rig.find<QGroupBox>("GroupBox7")->isVisible());
    QVERIFY(rig.find<QWidget>("MaskEdit128")->isVisible());
    QCOMPARE(rig.find<QWidget>("Memo4")->height(), 256 * 13);
    QVERIFY(rig.window->height() > shortWindow);
    QCOMPARE(rig.find<QAction>("PIC16F628A1")->text(), QString("PIC16F628A ^"));
    rig.trigger("PIC12F6291");
    QCOMPARE(rig.find<QWidget>("Memo4")->height(), 128 * 13);
    QVERIFY(rig.find<QFrame>("Panel3")->isVisible());
    QVERIFY(!rig.find<QAction>("N17")->isEnabled());
  }

  // A PIC16F88, a PIC12F683, a PIC16F690 and a PIC16F877A through the
  // window's menus: the own program programmed whole, verified by button,
  // read back, erased, then the verify fails; no timing violation, and a
  // calibration word at 2008h stays.
  void laterChipsAreProgrammedReadAndErased() {
    for (ChipKind kind :
         {ChipKind::PIC16F88, ChipKind::PIC12F683, ChipKind::PIC16F690, ChipKind::PIC16F877A}) {
      DesktopRig rig(kind);
      const std::string chip = kalmar::sim::chipName(kind);
      rig.nextFile = std::string(KALMAR_PROGRAMS_DIR) + "/" + chip + "/filled.hex";
      rig.trigger("N4");
      rig.answers = {MessageResult::Ok, MessageResult::Ok};
      rig.trigger("N43");  // "Программировать всё из файла"
      QVERIFY2(rig.form->window.StatusBar1.find("всё проверено") != std::string::npos,
               chip.c_str());
      QTest::mouseClick(rig.find<QToolButton>("SpeedButton13"), Qt::LeftButton);
      rig.settle();
      QVERIFY(rig.form->operation.ok);
      rig.trigger("N24");  // "Прочитать" -> "Все"
      const auto& buffer = rig.form->buffer;
      const int words = rig.form->chip.profile.programWords;
      QVERIFY(std::equal(buffer.chipRead.begin(), buffer.chipRead.begin() + words,
                         buffer.program.begin()));
      rig.answers = {MessageResult::Ok};
      rig.trigger("N33");  // "Стереть все"
      QVERIFY(rig.form->window.StatusBar1.find("успешное стирание") != std::string::npos);
      rig.nextFile = std::string(KALMAR_PROGRAMS_DIR) + "/" + chip + "/filled.hex";
      rig.trigger("N4");
      QTest::mouseClick(rig.find<QToolButton>("SpeedButton13"), Qt::LeftButton);
      rig.settle();
      QVERIFY(!rig.form->operation.ok);
      QCOMPARE(rig.stack->adapter()->log().violations(), std::size_t{0});
      if (kalmar::sim::traitsOf(kind).calibrationAt != 0)
        QCOMPARE(rig.stack->adapter()->chip().calibrationWord, kalmar::sim::kFactoryCalibration);
    }
  }

  // A later chip comes from its family's submenu with its words drawn as
  // fields: a setting chosen and a word typed keep each other in step, and
  // the calibration word is only shown.
  void laterChipsGetTheFieldPanel() {
    DesktopRig rig(ChipKind::PIC16F628A);
    auto* family = rig.find<QMenu>("ChipGroupF8x");
    QVERIFY(family != nullptr);
    QCOMPARE(family->title(), QString("PIC16F87/88, PIC16F818/819"));
    QVERIFY(rig.find<QMenu>("ChipMenu")->actions().contains(family->menuAction()));
    QVERIFY(family->actions().contains(rig.find<QAction>("PIC16F881")));
    rig.trigger("PIC16F881");
    QCOMPARE(rig.find<QAction>("PIC16F881")->text(), QString("PIC16F88 ^"));
    QVERIFY(rig.find<QGroupBox>("FieldPanel")->isVisible());
    QVERIFY(!rig.find<QGroupBox>("GroupBox7")->isVisible());

    auto* fosc = rig.find<QComboBox>("ConfigField1");
    auto* word = rig.find<QLineEdit>("ConfigWord1");
    QCOMPARE(rig.find<QLabel>("ConfigFieldLabel1")->text(), QString("FOSC"));
    QCOMPARE(fosc->accessibleName(), QString("FOSC, слово конфигурации 2007h"));
    QCOMPARE(word->accessibleName(), QString("Слово конфигурации 2007h"));
    QVERIFY(rig.find<QLineEdit>("ConfigWord2")->isVisible());
    QCOMPARE(word->text(), QString("3FFF"));
    fosc->setCurrentIndex(0);
    emit fosc->activated(0);  // as a pick in the list: LP, 000 in bits 4, 1:0
    rig.settle();
    QCOMPARE(word->text(), QString("3FEC"));
    word->selectAll();
    QTest::keyClicks(word, "3f13");
    rig.settle();
    QCOMPARE(rig.form->buffer.config, 0x3F13);
    QCOMPARE(word->text(), QString("3F13"));
    QCOMPARE(fosc->currentIndex(), 7);

    rig.trigger("PIC12F6831");
    auto* calibration = rig.find<QLineEdit>("CalibrationWord");
    QVERIFY(calibration->isVisible() && calibration->isReadOnly());
    QVERIFY(!rig.find<QLineEdit>("ConfigWord2")->isVisible());
    QCOMPARE(calibration->text(), QString("----"));
    QCOMPARE(calibration->accessibleName(), QString("Калибровка 2008h, только чтение"));
    rig.trigger("N12");  // "Прочитать" -> "Слово конфигурации"
    QVERIFY(rig.form->buffer.chipCalibration.has_value());
    QCOMPARE(calibration->text(), QString::fromStdString(kalmar::hex4(*rig.form->buffer.chipCalibration)));
  }

  // A right click in a group opens its own menu, with the states of its routes.
  void popupMenusOpenInTheirGroups() {
    DesktopRig rig(ChipKind::PIC16F628A);
    QStringList seen;
    auto readMenu = [&seen] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      seen << menu->objectName();
      for (QAction* action : menu->actions())
        seen << action->text() + (action->isEnabled() ? "" : " (off)");
      menu->close();
    };
    QTimer::singleShot(0, readMenu);
    auto* program = rig.find<QGroupBox>("GroupBox2");
    emit program->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(seen, QStringList({"PopupMenu1", "Прочитать память программ",
                                "Записать память программ (off)", "Проверить память программ (off)",
                                "Прочитать все", "Программировать всё из файла (off)"}));
    seen.clear();
    rig.trigger("N32");  // an edit locks the data memory menu
    QTimer::singleShot(0, readMenu);
    emit rig.find<QGroupBox>("GroupBox4")->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(seen,
             QStringList({"PopupMenu2", "Прочитать память данных (off)",
                          "Редактировать память данных (off)", "Записать память данных (off)"}));
  }

  // A stop signal between commands: the chip file is saved first, and an
  // unwritable settings file is told without a box that would wait.
  void aStopSavesTheChipAndWaitsOnNoBox() {
    DesktopRig rig(ChipKind::PIC16F628A);
    std::filesystem::create_directory(rig.directory / "Kalmar.cfg");
    bool chipSaved = false;
    rig.window->onClosed = [&] {
      chipSaved = true;
      QVERIFY(rig.messages.empty());  // before the settings
    };
    rig.host.tellOnStderr();
    rig.window->closeForStop();
    QVERIFY(chipSaved);
    QVERIFY(rig.messages.empty());
  }

  // Every line of a box stays whole and its caption uncut, at two font sizes.
  void boxesFitTheirLines() {
    const QFont original = QApplication::font();
    for (int pixels : {11, 16}) {
      QFont font = original;
      font.setPixelSize(pixels);
      QApplication::setFont(font);
      for (const auto& [caption, text] : longestBoxTexts()) {
        kalmar::qt::MessageDialog box(nullptr, caption, text, kalmar::MessageIcon::None,
                                      kalmar::MessageButtons::OkCancel);
        box.show();
        QApplication::processEvents();
        QLabel* label = box.textLabel();
        for (const QString& line : text.split('\n'))
          QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(line),
                   qPrintable(line));
        QFont bold = box.font();
        bold.setBold(true);
        QVERIFY(box.width() >= QFontMetrics(bold).horizontalAdvance(caption) + 100);
        box.close();
      }
    }
    QApplication::setFont(original);
  }

  // The colour dialog previews on the window at once; "Отмена" puts it back.
  void colourDialogPreviewsAndCancels() {
    DesktopRig rig(ChipKind::PIC16F628A);
    auto* cell = rig.find<kalmar::qt::CellEdit>("MaskEdit1");
    const QColor before = cell->palette().color(QPalette::Text);
    QColor during;
    whenModal("TForm2", [&](QWidget* dialog) {
      auto* list = dialog->findChild<QComboBox*>("ComboBox1");
      list->setCurrentIndex(3);
      emit list->activated(3);  // "Светлая 1"
      during = cell->palette().color(QPalette::Text);
      QTest::mouseClick(dialog->findChild<QPushButton*>("SpeedButton18"), Qt::LeftButton);
    });
    rig.trigger("N40");
    QCOMPARE(during, QColor(0xF5, 0xE6, 0x8B));
    QCOMPARE(cell->palette().color(QPalette::Text), before);
    QVERIFY(!rig.find<QGroupBox>("GroupBox9")->isVisible());
  }

  // The close box still works while a command runs: the window waits for it.
  void closeDuringACommandWaitsForItsEnd() {
    DesktopRig rig(ChipKind::PIC16F84A);
    bool asked = false;
    rig.host.setWindow(rig.window.get(), [&] {
      rig.window->showState();
      if (!asked && rig.form->window.ProgressBar1 >= 50) {
        asked = true;
        rig.window->close();
        QVERIFY(rig.window->isVisible());
      }
    });
    rig.trigger("N10");
    QVERIFY(asked);
    QCOMPARE(rig.form->window.ProgressBar1, 106);
    QVERIFY(!rig.window->isVisible());
    QVERIFY(std::filesystem::exists(rig.directory / "Kalmar.cfg"));
    QVERIFY(!rig.stack->chip()->inProgrammingMode());
  }

  // What the program shows must never come back as the user's input.
  void programChangesRunNoHandler() {
    DesktopRig rig(ChipKind::PIC16F628A);
    auto& chip = *rig.stack->chip();
    chip.config = 0x3F06;
    chip.data[0] = 0x12;
    rig.trigger("N24");  // "Прочитать" -> "Все"
    rig.trigger("N12");  // "Прочитать" -> "Слово конфигурации"
    QCOMPARE(rig.form->buffer.config, std::uint16_t{0x2106});  // as the chip reads it
    QCOMPARE(rig.form->window.Edit1.Text, std::string("Мк-р & Буфер"));
    QVERIFY(rig.find<QRadioButton>("RadioButton7")->isChecked());
    QCOMPARE(rig.find<kalmar::qt::CellEdit>("MaskEdit1")->displayText(), QString("12"));
    QCOMPARE(rig.host.beeps, 0);
    QVERIFY(rig.messages.empty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
