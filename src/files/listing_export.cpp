#include "files/listing_export.h"

#include "files/cp1251.h"
#include "files/disassembler.h"
#include "files/file_io.h"
#include "files/listing_command.h"
#include "files/register_files.h"
#include "memory/operation_frame.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

const char* const kData = "          DATA     0x";

const std::vector<const char*> kRegisters84 = {
    ";    БАНК 0",         "INDF    EQU     00h", "TMR0    EQU     01h", "PCL     EQU     02h",
    "STATUS  EQU     03h", "FSR     EQU     04h", "PORTA   EQU     05h", "PORTB   EQU     06h",
    "EEDATA  EQU     08h", "EEADR   EQU     09h", "PCLATH  EQU     0Ah", "INTCON  EQU     0Bh",
    ";    БАНК 1",         "OPTION  EQU     81h", "TRISA   EQU     85h", "TRISB   EQU     86h",
};

const std::vector<const char*> kRegisters62x = {
    ";    БАНК 0",         "INDF    EQU     00h", "TMR0    EQU     01h", "PCL     EQU     02h",
    "STATUS  EQU     03h", "FSR     EQU     04h", "PORTA   EQU     05h", "PORTB   EQU     06h",
    "PCLATH  EQU     0Ah", "INTCON  EQU     0Bh", "PIR1    EQU     0Ch", "TMR1L   EQU     0Eh",
    "TMR1H   EQU     0Fh", "T1CON   EQU     10h", "TMR2    EQU     11h", "T2CON   EQU     12h",
    "CCPR1L  EQU     15h", "CCPR1H  EQU     16h", "CCP1CON EQU     17h", "RCSTA   EQU     18h",
    "TXREG   EQU     19h", "RCREG   EQU     1Ah", "CMCON   EQU     1Fh", ";    БАНК 1",
    "OPTION  EQU     81h", "TRISA   EQU     85h", "TRISB   EQU     86h", "PCON    EQU     8Eh",
    "PR2     EQU     92h", "TXSTA   EQU     98h", "SPBRG   EQU     99h", "EEDATA  EQU     9Ah",
    "EEADR   EQU     9Bh", "EECON1  EQU     9Ch", "EECON2  EQU     9DH", "VRCON   EQU     9Fh",
};

const std::vector<const char*> kRegisters12F = {
    ";    БАНК 0",         "INDF    EQU     00h", "TMR0    EQU     01h", "PCL     EQU     02h",
    "STATUS  EQU     03h", "FSR     EQU     04h", "GPIO   EQU     05h",  "PCLATH  EQU     0Ah",
    "INTCON  EQU     0Bh", "PIR1    EQU     0Ch", "TMR1L   EQU     0Eh", "TMR1H   EQU     0Fh",
    "T1CON   EQU     10h", "CMCON   EQU     19h", "ADRESH  EQU     1Eh", "ADCON0  EQU     1Fh",
    ";    БАНК 1",         "OPTION  EQU     81h", "TRIS0   EQU     85h", "PIE1    EQU     8Ch",
    "PCON    EQU     8Eh", "OSCCAL  EQU     90h", "WPU     EQU     95h", "IOCB    EQU     96h",
    "VRCON   EQU     99h", "EEDATA  EQU     9Ah", "EEADR   EQU     9Bh", "EECON1  EQU     9Ch",
    "EECON2  EQU     9DH", "ADRESL  EQU     9DH", "ANSEL   EQU     9FH",
};

// The 14-pin PIC16F630 and PIC16F676 (DS40039); the ADC's registers are the
// 676's only.
const std::vector<const char*> kRegisters630 = {
    ";    БАНК 0",         "INDF    EQU     00h", "TMR0    EQU     01h", "PCL     EQU     02h",
    "STATUS  EQU     03h", "FSR     EQU     04h", "PORTA   EQU     05h", "PORTC   EQU     07h",
    "PCLATH  EQU     0Ah", "INTCON  EQU     0Bh", "PIR1    EQU     0Ch", "TMR1L   EQU     0Eh",
    "TMR1H   EQU     0Fh", "T1CON   EQU     10h", "CMCON   EQU     19h", ";    БАНК 1",
    "OPTION  EQU     81h", "TRISA   EQU     85h", "TRISC   EQU     87h", "PIE1    EQU     8Ch",
    "PCON    EQU     8Eh", "OSCCAL  EQU     90h", "WPUA    EQU     95h", "IOCA    EQU     96h",
    "VRCON   EQU     99h", "EEDATA  EQU     9Ah", "EEADR   EQU     9Bh", "EECON1  EQU     9Ch",
    "EECON2  EQU     9Dh",
};

const std::vector<const char*> kRegisters676 = {
    ";    БАНК 0",         "INDF    EQU     00h", "TMR0    EQU     01h", "PCL     EQU     02h",
    "STATUS  EQU     03h", "FSR     EQU     04h", "PORTA   EQU     05h", "PORTC   EQU     07h",
    "PCLATH  EQU     0Ah", "INTCON  EQU     0Bh", "PIR1    EQU     0Ch", "TMR1L   EQU     0Eh",
    "TMR1H   EQU     0Fh", "T1CON   EQU     10h", "CMCON   EQU     19h", "ADRESH  EQU     1Eh",
    "ADCON0  EQU     1Fh", ";    БАНК 1",         "OPTION  EQU     81h", "TRISA   EQU     85h",
    "TRISC   EQU     87h", "PIE1    EQU     8Ch", "PCON    EQU     8Eh", "OSCCAL  EQU     90h",
    "ANSEL   EQU     91h", "WPUA    EQU     95h", "IOCA    EQU     96h", "VRCON   EQU     99h",
    "EEDATA  EQU     9Ah", "EEADR   EQU     9Bh", "EECON1  EQU     9Ch", "EECON2  EQU     9Dh",
    "ADRESL  EQU     9Eh", "ADCON1  EQU     9Fh",
};

const std::vector<const char*> kWarningOneBank = {
    ";ВНИМАНИЕ! При дизассемблировании регистры из Банка 1 с адресами ",
    ";80h и более) читаются как регистры Банка 0(с адресами 00h-7Fh).",
    ";Точно определить какой регистр используется можно по состоянию бита 5",
    ";регистра STATUS. Если в нем записан 0, значит используется Банк 0,",
    ";если 1 - Банк 1",
};

const std::vector<const char*> kWarningFourBanks = {
    ";ВНИМАНИЕ! При дизассемблировании регистры из Банка 1(2,3) с адресами ",
    ";80h и более) читаются как регистры Банка 0(с адресами 00h-7Fh).",
    ";Точно определить какой регистр используется можно по состоянию битов ",
    ";6 и 5 регистра STATUS. Комбинация 00 соотвеиствует Банку0, 01 - Банк1 ",
    ";10 - Банк2, 11 - Банк3",
};

const std::vector<const char*> kExample = {
    ";Например   BCF   STATUS,RP  ;Выбор банка 0",
    ";           CLRF  PORTA      ;Очищаем порт PORTA",
    ";           BSF   STATUS,RP  ;Выбор банка 1",
    ";           CLRF  PORTA      ;!!!   Очищаем порт TRISA   !!!!!",
    "",
    "",
    ";Начало исполняемого кода =============================",
    "",
};

void append(std::vector<std::string>& lines, const std::vector<const char*>& block) {
  lines.insert(lines.end(), block.begin(), block.end());
}

// "NAME    EQU     8Ch": the name padded to eight places, a blank at least.
std::string equLine(const RegisterEntry& entry) {
  std::string line = entry.name;
  line.append(line.size() < 8 ? 8 - line.size() : 1, ' ');
  return line + "EQU     " + hexDigits(entry.address, entry.address < 0x100 ? 2 : 3) + "h";
}

// A register file, bank by bank; true when it reaches banks 2 and 3.
bool appendRegisterFile(std::vector<std::string>& lines, std::span<const RegisterEntry> file) {
  int bank = -1;
  for (const RegisterEntry& entry : file) {
    if (entry.address >> 7 != bank) {
      bank = entry.address >> 7;
      lines.push_back(";    БАНК " + std::to_string(bank));
    }
    lines.push_back(equLine(entry));
  }
  return bank >= 2;
}

void appendHeader(TForm1& form, std::vector<std::string>& lines) {
  lines.push_back("; " + form.platform.dateTimeText());
  lines.push_back(";Файл получен при дизассемблировании программой \"Kalmar\"");
  lines.push_back("");
  lines.push_back(";Микроконтроллер - " + form.chip.profile.name);
  lines.push_back("");
  // The "p" letters here are Latin, as the listing has always had them.
  lines.push_back(
      "; описание опе"
      "p"
      "ационных "
      "p"
      "егист"
      "p"
      "ов");
  bool fourBanks = form.chip.profile.registers == RegisterSet::F62x;
  switch (form.chip.profile.registers) {
    case RegisterSet::F84:
      append(lines, kRegisters84);
      break;
    case RegisterSet::F62x:
      append(lines, kRegisters62x);
      break;
    case RegisterSet::F12F6xx:
      append(lines, kRegisters12F);
      break;
    case RegisterSet::F630:
      append(lines, kRegisters630);
      break;
    case RegisterSet::F676:
      append(lines, kRegisters676);
      break;
    default:
      fourBanks = appendRegisterFile(lines, registerFileOf(form.chip.profile.registers));
      break;
  }
  append(lines, fourBanks ? kWarningFourBanks : kWarningOneBank);
  append(lines, kExample);
}

// One word of the listing view: its instruction and its label.
struct ViewWord {
  std::string instruction;
  bool erased;
  std::string label;
  bool labelled() const { return label.size() > 1; }
};

// Lines missing from the view count as erased.
ViewWord viewWord(const WindowState& w, std::size_t index) {
  const bool shown = index < w.Memo14.size();
  const std::string instruction = shown ? w.Memo14[index] : std::string();
  return {instruction, !shown || instruction == kErasedWordText,
          index < w.Memo15.size() ? w.Memo15[index] : std::string(" ")};
}

// Runs of erased words leave no lines; the next word written after a run
// (or labelled inside it) gets an ORG with its address.
void appendCode(TForm1& form, std::vector<std::string>& lines) {
  const int words = form.chip.profile.programWords;
  int gap = 0;
  for (int n = 0; n < words; ++n) {
    const ViewWord word = viewWord(form.window, static_cast<std::size_t>(n));
    if (gap != 0 && (word.labelled() || !word.erased)) {
      lines.push_back("ORG  " + hex4(static_cast<std::uint32_t>(n)) + "h");
      gap = 0;
    }
    if (word.erased) ++gap;
    if (word.labelled())
      lines.push_back(word.erased ? word.label : word.label + "   " + word.instruction);
    else if (!word.erased)
      lines.push_back("          " + word.instruction);
    setProgress(form, roundHalfEven(n * 80.0 / words) + 5);
  }
}

void appendClosing(std::vector<std::string>& lines) {
  lines.insert(lines.end(), {"", "          END", "", "", "; * Коментарий",
                             "; Нет однозначности в отношении указанного в строке регистра.",
                             "; По умолчанию указан регистр из Банка 0.", ""});
}

bool writeText(const std::string& path, const std::vector<std::string>& lines, std::string& error) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return writeFileAtomically(path, utf8ToCp1251(text), error);
}

std::int64_t beginExport(TForm1& form) {
  const std::int64_t start = form.platform.timeOfDayMs();
  BattonDisabl(form);
  form.window.ProgressBar1 = 5;
  form.window.StatusBar1 = "Выполняемое действие: сохранение файла.";
  form.window.StatusBar2.clear();
  form.host.pump();
  return start;
}

void endExport(TForm1& form, const std::string& lastAction, std::int64_t start) {
  form.window.ProgressBar1 = 106;
  form.window.StatusBar1 = lastAction;
  BattonEnable(form);
  form.window.StatusBar2 = elapsedSince(form, start);
}

bool exportTo(TForm1& form, const std::string& path, std::int64_t start) {
  const std::vector<std::string> lines = listingFileLines(form);
  std::string error;
  if (!writeText(path, lines, error)) {
    form.host.messageBox("Ошибка при сохранении файла " + path,
                         "Не удалось записать файл.\r\nПричина: " + error + ".", MessageIcon::Error,
                         MessageButtons::Ok);
    endExport(form, " Последнее выполненное действие: неудачная попытка сохранить файл " + path,
              start);
    return false;
  }
  endExport(form, " Посл. вы. действие: дизассемблированные данные сохранены в файле " + path,
            start);
  return true;
}

}  // namespace

std::string D0_String_PD(const TForm1& form) {
  std::string text = "ORG  0x2000  ; Идентификатор";
  for (std::uint16_t id : form.buffer.ids) text += "\r\n" + std::string(kData) + hex4(id);
  // A chip with two configuration words has the second at 2008h, the next
  // DATA line.
  const bool two = form.chip.profile.configWords == 2;
  text += std::string("\r\n\r\nORG  0x2007  ; ") +
          (two ? "Слова конфигурации" : "Слово конфигурации") + "\r\n" + std::string(kData) +
          hex4(form.buffer.config);
  if (two) text += "\r\n" + std::string(kData) + hex4(form.buffer.config2);
  text += "\r\n\r\nORG  0x2100  ; Память данных";
  for (int n = 0; n < form.chip.profile.dataBytes; ++n)
    text += "\r\n" + std::string(kData) + hex2(form.buffer.data[static_cast<std::size_t>(n)]);
  return text;
}

std::vector<std::string> listingFileLines(TForm1& form) {
  std::vector<std::string> lines;
  appendHeader(form, lines);
  appendCode(form, lines);
  lines.push_back("");
  for (std::string& line : splitLines(D0_String_PD(form))) lines.push_back(std::move(line));
  setProgress(form, 95);
  appendClosing(lines);
  return lines;
}

std::string withDefaultExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".txt";
  return path;
}

bool exportListing(TForm1& form, const std::string& path) {
  return exportTo(form, path, beginExport(form));
}

void Button19Click(TForm1& form) {
  const std::int64_t start = beginExport(form);
  auto chosen = form.host.saveFileDialog({"*.asm", "asm ", "", ""});
  if (!chosen) {
    endExport(form, " Последнее выполненное действие: отмена сохранения файла", start);
    return;
  }
  exportTo(form, withDefaultExtension(*chosen), start);
}

void SpeedButton5Click(TForm1& form) {
  collapseFootnote(form);
  Button19Click(form);
}

void N28Click(TForm1& form) {
  Button19Click(form);
}

}  // namespace kalmar
