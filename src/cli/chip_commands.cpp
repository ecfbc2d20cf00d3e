#include "cli/chip_commands.h"

#include <cstdio>

#include <unistd.h>

#include "cli/identify.h"
#include "cli/pin_test.h"
#include "files/file_io.h"
#include "files/hex_load.h"
#include "files/hex_writer.h"
#include "files/listing_command.h"
#include "files/listing_export.h"
#include "link/programmer_check.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/data_memory.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/program_chip.h"
#include "memory/program_read.h"
#include "memory/program_write.h"
#include "memory/read_all.h"
#include "model/hex_text.h"

namespace kalmar::cli {

namespace {

// A failure the command line itself found and told on standard error.
Outcome failedHere() {
  return Outcome::failed({}, {}, {});
}

Outcome outcomeOf(bool done) {
  return done ? Outcome::done({}) : failedHere();
}

void printProgram(const TForm1& form, const std::array<std::uint16_t, kMaxProgramWords>& words) {
  for (int row = 0; row < form.chip.profile.programWords / 8; ++row) {
    std::printf("%s:", hex4(static_cast<std::uint32_t>(row * 8)).c_str());
    for (int k = 0; k < 8; ++k)
      std::printf(" %s", hex4(words[static_cast<std::size_t>(row * 8 + k)]).c_str());
    std::printf("\n");
  }
}

void printData(const TForm1& form) {
  for (int row = 0; row < form.chip.profile.dataBytes / 8; ++row) {
    std::printf("%s:", hex2(static_cast<std::uint32_t>(row * 8)).c_str());
    for (int k = 0; k < 8; ++k)
      std::printf(" %s", hex2(form.buffer.data[static_cast<std::size_t>(row * 8 + k)]).c_str());
    std::printf("\n");
  }
}

void printConfig(const TForm1& form) {
  std::printf("Конфигурация  %s\n", hex4(form.buffer.config).c_str());
  const DeviceProfile& profile = form.chip.profile;
  if (profile.configWords > 1)
    std::printf("Конфигурация 2008  %s\n", hex4(form.buffer.config2).c_str());
  if (profile.calibrationWordAt != 0 && form.buffer.chipCalibration)
    std::printf("Калибровка %s  %s\n", hex4(profile.calibrationWordAt).c_str(),
                hex4(*form.buffer.chipCalibration).c_str());
}

void printIds(const TForm1& form) {
  std::printf("Идентификатор:");
  for (std::uint16_t id : form.buffer.ids) std::printf(" %s", hex4(id).c_str());
  std::printf("\n");
}

// A read's outcome; what it read is printed only when it was done.
Outcome printedWhenDone(Outcome outcome, const TForm1& form, void (*print)(const TForm1&)) {
  if (outcome) print(form);
  return outcome;
}

bool loadFile(Context& c) {
  return loadHexFile(c.form, c.options.arguments[0]);
}

bool fileHoldsNothing(const Buffer& buffer) {
  for (std::uint16_t word : buffer.program)
    if (word != kBlankWord) return false;
  for (std::uint8_t byte : buffer.data)
    if (byte != kBlankByte) return false;
  return allIdsBlank(buffer);
}

std::string asmPathFor(const std::string& hexPath) {
  const std::size_t slash = hexPath.find_last_of('/');
  const std::size_t dot = hexPath.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return hexPath + ".asm";
  return hexPath.substr(0, dot) + ".asm";
}

bool parseWord(const std::string& text, std::uint16_t& word) {
  unsigned value = 0;
  if (!parseHexCell(text, value) || value > 0x3FFF) return false;
  word = static_cast<std::uint16_t>(value);
  return true;
}

// The chip as read, as an Intel HEX file; the old file stays whole until
// the new one is.
Outcome saveChipRead(Context& c) {
  Buffer chip = c.form.buffer;
  chip.program = chip.chipRead;
  std::string error;
  const std::string& path = *c.options.output;
  const DeviceProfile& profile = c.form.chip.profile;
  if (writeFileAtomically(path,
                          bufferToHex(chip, profile.programWords, profile.dataBytes,
                                      profile.configWords, profile.configBase),
                          error))
    return Outcome::done({});
  std::fprintf(stderr, "kalmar-cli: не удалось записать файл %s: %s\n", path.c_str(),
               error.c_str());
  return failedHere();
}

}  // namespace

Outcome programCommand(Context& c) {
  const std::string& path = c.options.arguments[0];
  if (!loadFile(c)) return failedHere();
  if (!c.options.force && fileHoldsNothing(c.form.buffer)) {
    std::fprintf(stderr,
                 "В файле %s нет ни слов программы, ни данных, ни идентификатора: "
                 "программировать нечего.\n--force стирает микроконтроллер и записывает "
                 "файл всё равно.\n",
                 path.c_str());
    return failedHere();
  }
  return programChip(
      c.form, " Последнее выполненное действие: микроконтроллер запрограммирован из файла " + path +
                  ", всё проверено.");
}

Outcome detectCommand(Context& c) {
  return detectChip(c.form);
}

Outcome pinsCommand(Context& c) {
  return outcomeOf(runPinTest(c.form, c.options, ::isatty(::fileno(stdin)) != 0));
}

Outcome checkCommand(Context& c) {
  Outcome outcome = Chek_Hard(c.form);
  if (outcome) std::printf("Программатор обнаружен.\n");
  return outcome;
}

Outcome readCommand(Context& c) {
  Outcome outcome = Button16Click(c.form);
  if (!outcome) return outcome;
  if (c.options.output) {
    Outcome saved = saveChipRead(c);
    return saved ? outcome : saved;
  }
  printProgram(c.form, c.form.buffer.chipRead);
  printConfig(c.form);
  printData(c.form);
  printIds(c.form);
  return outcome;
}

Outcome readProgramCommand(Context& c) {
  return printedWhenDone(Button8Click(c.form), c.form, [](const TForm1& form) {
    printProgram(form, form.buffer.chipRead);
    printConfig(form);
  });
}

Outcome readDataCommand(Context& c) {
  return printedWhenDone(Button5Click(c.form), c.form, printData);
}

Outcome readConfigCommand(Context& c) {
  return printedWhenDone(Button10Click(c.form), c.form, printConfig);
}

Outcome readIdCommand(Context& c) {
  return printedWhenDone(Button13Click(c.form), c.form, printIds);
}

Outcome writeCommand(Context& c) {
  if (!loadFile(c)) return failedHere();
  return Button7Click(c.form);
}

Outcome verifyCommand(Context& c) {
  if (!loadFile(c)) return failedHere();
  return Button6Click(c.form);
}

Outcome writeDataCommand(Context& c) {
  if (!loadFile(c)) return failedHere();
  return Button9Click(c.form);
}

Outcome writeConfigCommand(Context& c) {
  const std::vector<std::string>& words = c.options.arguments;
  if (words.size() > 1 && c.form.chip.profile.configWords < 2) {
    std::fprintf(stderr, "write-config: у %s одно слово конфигурации, второе (%s) не нужно\n",
                 c.form.chip.profile.name.c_str(), words[1].c_str());
    return failedHere();
  }
  std::uint16_t* const targets[] = {&c.form.buffer.config, &c.form.buffer.config2};
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!parseWord(words[i], *targets[i])) {
      std::fprintf(stderr, "write-config: %s - не 14-разрядное шестнадцатеричное слово\n",
                   words[i].c_str());
      return failedHere();
    }
  }
  if (!words.empty()) Config_Chenge_iz_W(c.form);
  // The window offers no standalone write for these chips; here it keeps
  // the chip's BG bits the way the erase and the write do.
  if (c.form.chip.profile.calibrationPreserved) BG_of_12F6xx_Readen(c.form);
  return Button12Click(c.form);
}

Outcome writeIdCommand(Context& c) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (!parseWord(c.options.arguments[i], c.form.buffer.ids[i])) {
      std::fprintf(stderr, "write-id: %s - не 14-разрядное шестнадцатеричное слово\n",
                   c.options.arguments[i].c_str());
      return failedHere();
    }
    c.form.window.idCells[i] = hex4(c.form.buffer.ids[i]);
  }
  return Button15Click(c.form);
}

Outcome eraseCommand(Context& c) {
  return Button11Click(c.form);
}

Outcome disasmCommand(Context& c) {
  if (!loadFile(c)) return failedHere();
  Button18Click(c.form);
  return outcomeOf(
      exportListing(c.form, c.options.output.value_or(asmPathFor(c.options.arguments[0]))));
}

Outcome loadCommand(Context& c) {
  if (!loadFile(c)) return failedHere();
  int words = 0, bytes = 0;
  for (int i = 0; i < c.form.chip.profile.programWords; ++i)
    words += c.form.buffer.program[static_cast<std::size_t>(i)] != kBlankWord;
  for (int i = 0; i < c.form.chip.profile.dataBytes; ++i)
    bytes += c.form.buffer.data[static_cast<std::size_t>(i)] != kBlankByte;
  std::printf("%s: занято слов памяти программ %d из %d, байт памяти данных %d из %d\n",
              c.form.chip.profile.name.c_str(), words, c.form.chip.profile.programWords, bytes,
              c.form.chip.profile.dataBytes);
  printConfig(c.form);
  printIds(c.form);
  return Outcome::done({});
}

}  // namespace kalmar::cli
