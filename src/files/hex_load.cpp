#include "files/hex_load.h"

#include <algorithm>

#include "files/cp1251.h"
#include "files/file_io.h"
#include "files/hex_record.h"
#include "memory/config_check.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

const char* const kCannotUse = "Не возможно использовать открываемый файл.";

struct LoadState {
  TForm1& form;
  std::string path;
  std::int64_t start;
  std::string lastAction;
  bool good = true;
};

std::string errorText(const HexParse& parse, int line) {
  const std::string n = std::to_string(line);
  switch (parse.error) {
    case HexError::FirstCharacter:
      return std::string(kCannotUse) + "\r\nНе верный первый символ в строке " + n + ".";
    case HexError::BadCharacter:
      return std::string(kCannotUse) + "\r\nВ строке " + n + " найден неформатный символ -   " +
             cp1251ToUtf8(std::string(1, parse.badCharacter));
    case HexError::Addressing:
      return std::string(kCannotUse) + "\r\nНеверная адресация.\r\nВ строке " + n +
             " указан адрес, превышающий допустимый " +
             hex4(static_cast<std::uint32_t>(roundHalfEven(parse.record.address / 2.0))) + "h.";
    case HexError::Checksum:
    case HexError::None:
      break;
  }
  return std::string(kCannotUse) + "\r\nОшибка контрольной суммы в строке " + n + ".";
}

void failLoad(LoadState& load, const std::string& text) {
  load.form.host.messageBox("Ошибка при открытии файла " + load.path, text, MessageIcon::Error,
                            MessageButtons::Ok);
  ClearMemo(load.form);
  load.good = false;
  load.lastAction = " Последнее выполненое действие: неудачная попытка прочитать файл " + load.path;
}

std::uint16_t wordOf(const HexRecord& record, int i) {
  const std::size_t low = 2 * static_cast<std::size_t>(i);
  return static_cast<std::uint16_t>(record.data[low] | (record.data[low + 1] << 8));
}

// Address records (types 02 and 04) with a zero base are harmless; any
// other base moves the records that follow outside these chips.
bool isAddressRecord(const HexRecord& record) {
  return record.type == 0x02 || record.type == 0x04;
}
bool isStartRecord(const HexRecord& record) {
  return record.type == 0x03 || record.type == 0x05;
}
bool hasNonZeroData(const HexRecord& record) {
  for (std::uint8_t byte : record.data)
    if (byte != 0) return true;
  return false;
}

// The words of a record into the chip's `size` cells from `first` on; words
// with no cell are dropped.
template <typename Cells, typename Take>
void storeWords(Cells& cells, int size, const HexRecord& record, int first, Take take) {
  const int words = record.count / 2;
  const int cellCount = std::min(size, static_cast<int>(cells.size()));
  for (int i = 0; i < words; ++i) {
    const int index = record.address / 2 + i - first;
    if (index >= 0 && index < cellCount) cells[static_cast<std::size_t>(index)] = take(i);
  }
}

// A word after the configuration word: the second configuration word at
// 2008h (8008h), or the calibration word at its address; any other is ignored.
void storeUpperWord(Buffer& buffer, int at, std::uint16_t word, const HexLimits& limits) {
  if (at == limits.configBase + 8 && limits.configWords == 2)
    buffer.config2 = word;
  else if (at == limits.calibrationWordAt)
    buffer.fileCalibration = word;
}

// A record at 400Eh: on a chip with words of its own after 2007h (a second
// configuration word, a calibration word) the words after the first are
// those; on the others each word in turn is the configuration word, and
// the last stays.
void storeConfiguration(TForm1& form, const HexRecord& record, const HexLimits& limits) {
  const bool upperWords = limits.configWords == 2 || limits.calibrationWordAt != 0;
  for (int i = 0; i < record.count / 2; ++i) {
    if (upperWords && i > 0) {
      storeUpperWord(form.buffer, limits.configBase + 7 + i, wordOf(record, i), limits);
      continue;
    }
    form.buffer.config = wordOf(record, i);
    Check_Slov_cfg_file(form);
  }
}

// The word address of a record's first word in configuration space: its
// byte address halved, 8000h on from the extended address 10000h.
int configWordAddress(const HexRecord& record, const HexLimits& limits) {
  return (limits.extended() ? 0x8000 : 0) + record.address / 2;
}

void storeUpperWords(Buffer& buffer, const HexRecord& record, const HexLimits& limits) {
  for (int i = 0; i < record.count / 2; ++i)
    storeUpperWord(buffer, configWordAddress(record, limits) + i, wordOf(record, i), limits);
}

void storeRecord(TForm1& form, const HexRecord& record, const HexLimits& limits,
                 std::uint32_t base) {
  Buffer& buffer = form.buffer;
  const auto word = [&record](int i) { return wordOf(record, i); };
  // Where the IDs and data start, in the word addresses of the record's
  // 16-bit address field (data at F000h is 7000h past the extended base).
  const int idsFirst = limits.extended() ? 0x0000 : 0x2000;
  const int dataFirst = limits.extended() ? 0x7000 : 0x2100;
  switch (routeOf(record, limits, base)) {
    case HexArea::Program:
      storeWords(buffer.program, limits.programWords, record, 0, word);
      break;
    case HexArea::Config:
      storeConfiguration(form, record, limits);
      break;
    case HexArea::Config2:
    case HexArea::Calibration:
      storeUpperWords(buffer, record, limits);
      break;
    case HexArea::Id:
      storeWords(buffer.ids, 4, record, idsFirst, word);
      break;
    case HexArea::Data:
      // A data byte stands in the low byte of its word.
      storeWords(buffer.data, limits.dataBytes, record, dataFirst,
                 [&record](int i) { return record.data[2 * static_cast<std::size_t>(i)]; });
      break;
    case HexArea::Ignored:
      break;
  }
}

// The next line of the file from pos on, blank lines and leading control
// characters skipped; empty at the end.
std::optional<std::string_view> nextLine(const std::string& bytes, std::size_t& pos) {
  while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) <= 0x20) ++pos;
  if (pos >= bytes.size()) return std::nullopt;
  const std::size_t end = bytes.find_first_of("\r\n", pos);
  const std::size_t stop = end == std::string::npos ? bytes.size() : end;
  const std::string_view line(bytes.data() + pos, stop - pos);
  pos = stop;
  return line;
}

// An extended linear address record of 0 or 1 (byte 10000h: configuration
// space and data memory) on a chip whose configuration space is at 8000h.
bool isExtendedBase(const HexRecord& record, const HexLimits& limits) {
  return limits.extended() && record.type == 0x04 && record.count == 2 && record.data[0] == 0 &&
         record.data[1] <= 1;
}

HexParse parseLine(std::string_view line, const HexLimits& limits, std::uint32_t base) {
  HexParse parse = parseHexRecord(line, limits, base);
  if (parse.error == HexError::None && isAddressRecord(parse.record) &&
      hasNonZeroData(parse.record) && !isExtendedBase(parse.record, limits))
    parse.error = HexError::Addressing;
  return parse;
}

void showRecordProgress(TForm1& form, const HexRecord& record) {
  const double rows = form.chip.profile.programWords / 8.0;
  const int position = roundHalfEven((record.address / 16) / rows * 70.0);
  setProgress(form, position > 106 ? 106 : position);
}

// Reads every record; false at the first bad one (already reported).
bool readRecords(LoadState& load, const std::string& bytes) {
  TForm1& form = load.form;
  const DeviceProfile& profile = form.chip.profile;
  const HexLimits limits{profile.programWords, profile.dataBytes, profile.configWords,
                         profile.calibrationWordAt, profile.configBase};
  std::size_t pos = 0;
  int lineNumber = 0;
  bool afterEnd = false;
  std::uint32_t base = 0;  // from an extended linear address record
  while (const std::optional<std::string_view> line = nextLine(bytes, pos)) {
    ++lineNumber;
    // Some compilers put comments after the end record: the file ends there.
    if (afterEnd && (*line)[0] != ':') return true;
    const HexParse parse = parseLine(*line, limits, base);
    if (parse.error != HexError::None) {
      failLoad(load, errorText(parse, lineNumber));
      return false;
    }
    if (parse.record.type == 0x01) afterEnd = true;
    if (isExtendedBase(parse.record, limits))
      base = static_cast<std::uint32_t>(parse.record.data[1]) << 16;
    if (!isAddressRecord(parse.record) && !isStartRecord(parse.record))
      storeRecord(form, parse.record, limits, base);
    showRecordProgress(form, parse.record);
  }
  return true;
}

void showLoadedBuffer(TForm1& form) {
  WindowState& w = form.window;
  const int rows = form.chip.profile.programWords / 8;
  for (std::string& text : w.columnTexts) text.clear();
  for (int r = 0; r < rows; ++r)
    for (int k = 0; k < 8; ++k)
      w.columnTexts[static_cast<std::size_t>(k)] +=
          hex4(form.buffer.program[static_cast<std::size_t>(8 * r + k)]) + "\r\n";
  w.programColumns = w.columnTexts;
  form.buffer.disassembly = form.buffer.program;
  form.buffer.disassemblyNeeded = true;
  form.fileLoadFlag = true;
  Config_Chenge_iz_W(form);
  form.fileLoadFlag = false;
  for (std::size_t j = 0; j < 4; ++j) w.idCells[j] = hex4(form.buffer.ids[j]);
  // The bar's last 30 steps over 128 cells (a 64-byte chip stops half way),
  // over all 256 of the PIC16F648A.
  const double cells = std::max(128, form.chip.profile.dataBytes);
  for (int n = 0; n < form.chip.profile.dataBytes; ++n) {
    setDataCellText(form, n + 1, hex2(form.buffer.data[static_cast<std::size_t>(n)]));
    setProgress(form, roundHalfEven((n + 1) / cells * 30.0) + 70);
  }
  setProgress(form, 106);
}

void finish(LoadState& load, bool touchEdit4) {
  TForm1& form = load.form;
  if (touchEdit4) {
    form.window.Edit4.Text = load.good ? "Буфер (" + shortenedPath(load.path) + ")" : "Буфер ";
    form.window.Edit4.Hint = "Отображено состояние буфера";
  }
  form.window.StatusBar1 = load.lastAction;
  BattonEnable(form);
  form.window.StatusBar2 = elapsedSince(form, load.start);
}

}  // namespace

std::string shortenedPath(const std::string& path) {
  std::vector<std::size_t> starts;  // where each character begins
  for (std::size_t i = 0; i < path.size(); ++i)
    if ((static_cast<unsigned char>(path[i]) & 0xC0) != 0x80) starts.push_back(i);
  if (starts.size() <= 25) return path;
  return "\\ .. " + path.substr(starts[starts.size() - 21]);
}

namespace {

std::int64_t beginLoad(TForm1& form) {
  const std::int64_t start = form.platform.timeOfDayMs();
  form.window.ProgressBar1 = 0;
  form.window.StatusBar1 = "Выполняемое действие: открытие файла.";
  form.window.StatusBar2.clear();
  form.host.pump();
  return start;
}

bool loadBytes(TForm1& form, const std::string& path, const std::string& bytes,
               std::int64_t start) {
  LoadState load{form, path, start, {}};
  BattonDisabl(form);
  form.window.StatusBar1 = "Выполняемое действие: чтение из файла " + path;
  load.lastAction = " Последнее выполненое действие: успешно прочитан файл " + path;
  form.window.routes.enableFileProgramRoutes(true);
  form.window.routes.N34.Enabled = true;
  form.window.routes.SpeedButton4.Enabled = true;
  form.window.routes.PIC2.Enabled = false;

  form.buffer.program.fill(kBlankWord);
  form.buffer.data.fill(kBlankByte);
  form.buffer.ids.fill(kBlankWord);
  form.buffer.fileCalibration.reset();
  ClearMemo(form);
  ClearME(form);
  if (readRecords(load, bytes)) {
    showLoadedBuffer(form);
  } else {
    // A half-read image must not reach a chip: the routes that write or
    // verify it stay off until the next good load.
    form.window.routes.enableFileProgramRoutes(false);
  }
  finish(load, true);
  return load.good;
}

bool loadChosenFile(TForm1& form, const std::string& path, std::int64_t start) {
  std::string bytes, reason;
  if (readFile(path, kMaxHexFileBytes, bytes, reason)) return loadBytes(form, path, bytes, start);
  form.host.messageBox("Ошибка при открытии файла " + path,
                       "Не удалось прочитать файл.\r\nПричина: " + reason + ".", MessageIcon::Error,
                       MessageButtons::Ok);
  LoadState load{form, path, start, {}};
  load.good = false;
  load.lastAction = " Последнее выполненое действие: неудачная попытка прочитать файл " + path;
  finish(load, true);
  return false;
}

}  // namespace

bool loadHexBytes(TForm1& form, const std::string& path, const std::string& bytes) {
  return loadBytes(form, path, bytes, beginLoad(form));
}

bool loadHexFile(TForm1& form, const std::string& path) {
  const std::int64_t start = beginLoad(form);
  form.lastOpenedPath = path;
  return loadChosenFile(form, path, start);
}

void Button14Click(TForm1& form) {
  const std::int64_t start = beginLoad(form);
  auto path = form.host.openFileDialog({"*.hex", " ", "", ""});
  if (!path) {
    LoadState load{
        form, {}, start, " Последнее выполненое действие: неудачная попытка открыть файл."};
    finish(load, false);
    return;
  }
  form.lastOpenedPath = *path;
  loadChosenFile(form, *path, start);
}

}  // namespace kalmar
