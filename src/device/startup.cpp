#include "device/startup.h"

#include "device/chip_selection.h"
#include "device/colours.h"
#include "device/settings_file.h"
#include "files/file_io.h"
#include "link/line_protocol.h"
#include "memory/config_word.h"

namespace kalmar {

namespace {

const char* const kDriverCaption = "Ошибка при определении драйвера порта.";

std::string joinPath(const std::string& directory, const std::string& name, char separator) {
  if (directory.empty()) return name;
  if (directory.back() == separator) return directory + name;
  return directory + separator + name;
}

char separatorFor(Platform& platform) {
  return platform.systemKind() == SystemKind::Linux ? '/' : '\\';
}

std::optional<SettingsValues> settingsOfStartDirectory(TForm1& form) {
  const std::string path = settingsPath(form);
  if (!form.platform.fileExists(path)) return std::nullopt;
  return readSettingsFile(path);
}

void applySettings(TForm1& form, const SettingsValues& values) {
  WindowState& w = form.window;
  F_Clr(form, values.colours);
  w.colours.saved = values.colours;
  const bool lpt1 = values.dataRegister == 0x378;
  applyPort(form, lpt1);
  applyChipFromSettings(form, *findChip(values.chip));
  w.Caption = " Kalmar   // микроконтроллер " + values.chip + "   // порт " +
              (lpt1 ? "LPT1(378h)" : "LPT2(278h)");
  form.buffer.config = values.config;
  Config_Chenge_iz_W(form);
  w.bg.Label1 = "BG - не менять";
  w.colours.ComboBox1Tag = presetIndexFor(values.colours);
}

// The window keeps its design menus, caption and colours.
void applyDefaults(TForm1& form) {
  form.port = PortSelection{};
  form.chip.profile = profileOf(defaultChip());
  form.window.colours.saved = {0x000080, 0x785107, 0x000000};
  form.buffer.config = 0x3FFB;
  Config_Chenge_iz_W(form);
  applyChipFromSettings(form, defaultChip());
}

void tellPortNotOpened(TForm1& form, const PortOpenResult& result, const char* need) {
  form.host.messageBox(kDriverCaption,
                       "Не удалось открыть порт " + result.device + ".\r\n" +
                           "Причина: " + result.reason + ".\r\n" + need +
                           "Программа продолжит работу без доступа к порту.",
                       MessageIcon::Error, MessageButtons::Ok);
}

void startWindowsDriver(TForm1& form) {
  form.settings.systemName = "NT-2000";
  // The port library beside the program brings its own driver.
  if (!form.settings.portLibrary.empty()) {
    if (!form.openPort) return;
    const PortOpenResult result = form.openPort(form.port.dataRegister);
    if (!result.opened) tellPortNotOpened(form, result, "");
    return;
  }
  const std::string driver = joinPath(form.settings.startDirectory, "Smport.sys", '\\');
  if (form.platform.fileExists(driver)) {
    if (form.openPort) form.openPort(form.port.dataRegister);
    return;
  }
  if (form.settings.withoutParallelPort) return;
  form.host.messageBox(kDriverCaption,
                       "Не найден драйвер порта.\r\n"
                       "При работе под Window NT и Windows 2000  программе\r\n"
                       " необходим драйвер управления портом.\r\n"
                       " Перепишите в каталог " +
                           form.settings.startDirectory +
                           "\\\r\n"
                           " файл Smport.sys и запустите программу снова.\r\n"
                           " На 64-разрядной Windows вместо него положите рядом с программой\r\n"
                           " библиотеку inpoutx64.dll (inpout32.dll для 32-разрядной программы).",
                       MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

// The port the program opens itself: on Linux the kernel's parallel port
// device, on either system an adapter on a USB board (or on Linux a GPIO
// chip) named on the command line; when it cannot be opened the user is
// told once why, and the program runs on without it.
void openSelectedPort(TForm1& form) {
  if (!form.openPort) return;
  PortOpenResult result = form.openPort(form.port.dataRegister);
  if (result.opened) return;
  const std::string need = result.need.empty()
                               ? "Нужны модуль ppdev и право доступа к устройству (группа lp)."
                               : result.need;
  tellPortNotOpened(form, result, (need + "\r\n").c_str());
}

// Windows 95/98/ME need no opening: their port instructions just work.
void openSystemPort(TForm1& form) {
  if (form.platform.systemKind() == SystemKind::WindowsNt)
    startWindowsDriver(form);
  else if (form.platform.systemKind() == SystemKind::Linux)
    openSelectedPort(form);
  else if (form.openPort)
    form.openPort(form.port.dataRegister);
}

// A parallel port by its name goes the system's way; an adapter or device
// named by itself needs no port driver and is opened as it is.
void openPortNamed(TForm1& form, const std::string& port) {
  if (port == "lpt1" && !form.port.isLpt1()) LPT11Click(form);
  if (port == "lpt2" && form.port.isLpt1()) LPT2278h1Click(form);
  if (port == "lpt1" || port == "lpt2")
    openSystemPort(form);
  else
    openSelectedPort(form);
  form.portNamedLater = false;
  form.chip.line.setDataRegister(form.port.dataRegister);
  form.chip.line.Write1(0x0F);
}

std::string settingsPath(TForm1& form) {
  return startupFilePath(form, kSettingsFileName);
}

std::string startupFilePath(TForm1& form, const std::string& name) {
  return filePathIn(form, form.settings.startDirectory, name);
}

std::string filePathIn(TForm1& form, const std::string& directory, const std::string& name) {
  return joinPath(directory, name, separatorFor(form.platform));
}

void FormCreate(TForm1& form) {
  form.buffer.data.fill(kBlankByte);
  form.buffer.ids.fill(kBlankWord);
  form.window.GroupBox6.Tag = 1;
  form.window.GroupBox10.Tag = 4;
  form.window.Edit3.Width = 0;
  form.window.Edit1.Width = 0;
  form.window.Edit8.Width = 0;
  form.window.Edit6.Text.clear();
  form.window.Edit4.Text.clear();
  form.buffer.config = 0x3FFB;
  form.buffer.disassemblyNeeded = false;
  form.settings.startDirectory = form.platform.currentDirectory();
  form.window.bg.Panel3Visible = false;
  form.window.bg.Panel3Height = BgChooserState::kClosedHeight;
}

void readSettingsAndStart(TForm1& form) {
  if (auto values = settingsOfStartDirectory(form))
    applySettings(form, *values);
  else
    applyDefaults(form);

  form.window.ScrollBox1AtTop = true;
  // A port named later is opened then, once; a simulated one never.
  if (!form.portNamedLater && !form.settings.simulatedPort) openSystemPort(form);
  if (form.portNamedLater) return;
  form.chip.line.setDataRegister(form.port.dataRegister);
  form.chip.line.Write1(0x0F);
}

void FormActivate(TForm1& form) {
  form.chip.line.timing().calibrate();
  form.editorKeyCounter = 0;
}

void AppMessage(TForm1& form, bool leftButtonDown, bool onListBox1) {
  if (leftButtonDown && form.window.bg.open() && !onListBox1)
    form.window.bg.Panel3Height = BgChooserState::kClosedHeight;
}

void FormClose(TForm1& form) {
  SettingsValues values;
  values.chip = form.chip.profile.name;
  values.dataRegister = form.port.dataRegister;
  values.colours = form.window.colours.saved;
  values.config = form.buffer.config;
  std::string error;
  const std::string path = settingsPath(form);
  if (!writeFileAtomically(path, formatSettings(values), error)) {
    form.host.messageBox("Ошибка при сохранении настроек.",
                         "Не удалось записать файл настроек " + path + ".\r\nПричина: " + error +
                             ".\r\nВыбранные настройки не сохранены.",
                         MessageIcon::Error, MessageButtons::Ok);
  }
}

}  // namespace kalmar
