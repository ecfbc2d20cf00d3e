#include "cli/commands.h"

#include <cstdio>
#include <functional>
#include <map>

#include <unistd.h>

#include "cli/identify.h"
#include "cli/pin_test.h"
#include "cli/session.h"
#include "device/settings_file.h"
#include "files/file_io.h"
#include "files/hex_load.h"
#include "files/hex_writer.h"
#include "files/listing_export.h"
#include "files/listing_view.h"
#include "link/programmer_check.h"
#include "link/stop_request.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/data_memory.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"
#include "memory/program_write.h"
#include "memory/read_all.h"
#include "window/hex_text.h"

namespace kalmar::cli {

namespace {

struct Context {
  TForm1& form;
  const Options& options;
};

void printProgram(const TForm1& form, const std::array<std::uint16_t, kMaxProgramWords>& words) {
  for (int row = 0; row < form.profile.programWords / 8; ++row) {
    std::printf("%s:", hex4(static_cast<std::uint32_t>(row * 8)).c_str());
    for (int k = 0; k < 8; ++k)
      std::printf(" %s", hex4(words[static_cast<std::size_t>(row * 8 + k)]).c_str());
    std::printf("\n");
  }
}

void printData(const TForm1& form) {
  for (int row = 0; row < form.profile.dataBytes / 8; ++row) {
    std::printf("%s:", hex2(static_cast<std::uint32_t>(row * 8)).c_str());
    for (int k = 0; k < 8; ++k)
      std::printf(" %s", hex2(form.buffer.data[static_cast<std::size_t>(row * 8 + k)]).c_str());
    std::printf("\n");
  }
}

void printConfig(const TForm1& form) {
  std::printf("Конфигурация  %s\n", hex4(form.buffer.config).c_str());
}

void printIds(const TForm1& form) {
  std::printf("Идентификатор:");
  for (std::uint16_t id : form.buffer.ids) std::printf(" %s", hex4(id).c_str());
  std::printf("\n");
}

bool loadFile(Context& c, const std::string& path) {
  return loadHexFile(c.form, path);
}

bool fileHoldsNothing(const Buffer& buffer) {
  for (std::uint16_t word : buffer.program)
    if (word != kBlankWord) return false;
  for (std::uint8_t byte : buffer.data)
    if (byte != kBlankByte) return false;
  for (std::uint16_t id : buffer.ids)
    if (id != kBlankWord) return false;
  return true;
}

bool anyDataBytes(const TForm1& form) {
  for (int i = 0; i < form.profile.dataBytes; ++i)
    if (form.buffer.data[static_cast<std::size_t>(i)] != kBlankByte) return true;
  return false;
}

// "program": the whole chip from one file, as a user of a programmer means
// it: erase (calibration and BG kept), the program words that are not blank,
// a verify of all program memory, data memory, IDs and configuration word,
// each checked. Everything must verify for success.
bool programChip(Context& c) {
  TForm1& form = c.form;
  const std::string& path = c.options.arguments[0];
  if (!loadFile(c, path)) return false;
  if (!c.options.force && fileHoldsNothing(form.buffer)) {
    std::fprintf(stderr,
                 "В файле %s нет ни слов программы, ни данных, ни идентификатора: "
                 "программировать нечего.\n--force стирает микроконтроллер и записывает "
                 "файл всё равно.\n",
                 path.c_str());
    return false;
  }
  if (!Chek_Hard(form) || !confirmCodeProtection(form)) return false;
  const std::int64_t start = form.platform.timeOfDayMs();
  const Buffer file = form.buffer;
  eraseChip(form);
  if (!form.operation.ok) return false;
  // The erase leaves its own blank image; the file comes back, with the
  // chip's calibration word and BG bits where the erase kept them.
  const std::uint16_t keptConfig = form.buffer.config;
  const int last = form.profile.programWords - 1;
  const std::uint16_t keptLast = form.buffer.program[static_cast<std::size_t>(last)];
  form.buffer.program = file.program;
  form.buffer.data = file.data;
  form.buffer.ids = file.ids;
  form.buffer.config = file.config;
  if (form.profile.is12F6xx()) {
    form.buffer.program[static_cast<std::size_t>(last)] = keptLast;
    form.buffer.config = keptConfig;
  }
  writeProgramAfterErase(form);
  if (form.operation.ok) Proc_VerifyPM(form);
  if (form.operation.ok && anyDataBytes(form)) {
    Proc_Write_DM(form);
    if (form.operation.ok) Proc_Verify_DM(form);
  }
  if (form.operation.ok &&
      form.buffer.ids != std::array<std::uint16_t, 4>{0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF}) {
    writeAndCheckIds(form);
  }
  if (form.operation.ok) Proc_Write_Config(form);
  if (!form.operation.ok) return false;
  form.window.StatusBar1 =
      " Последнее выполненное действие: микроконтроллер запрограммирован из файла " + path +
      ", всё проверено.";
  form.window.StatusBar2 = elapsedSince(form, start);
  return true;
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

// Each command: true when it did its work (failures it reports itself).
using Command = std::function<bool(Context&)>;

const std::map<std::string, Command>& commands() {
  static const std::map<std::string, Command> table = {
      {"check",
       [](Context& c) {
         if (!Chek_Hard(c.form)) return false;
         std::printf("Программатор обнаружен.\n");
         return true;
       }},
      {"detect", [](Context& c) { return detectChip(c.form); }},
      {"pins",
       [](Context& c) { return runPinTest(c.form, c.options, ::isatty(::fileno(stdin)) != 0); }},
      {"program", programChip},
      {"read",
       [](Context& c) {
         Button16Click(c.form);
         if (c.options.output) {
           Buffer chip = c.form.buffer;
           chip.program = chip.chipRead;
           std::string error;
           if (!writeFile(*c.options.output,
                          bufferToHex(chip, c.form.profile.programWords, c.form.profile.dataBytes),
                          error)) {
             std::fprintf(stderr, "kalmar-cli: не удалось записать файл %s: %s\n",
                          c.options.output->c_str(), error.c_str());
             return false;
           }
           return true;
         }
         printProgram(c.form, c.form.buffer.chipRead);
         printConfig(c.form);
         printData(c.form);
         printIds(c.form);
         return true;
       }},
      {"read-pm",
       [](Context& c) {
         Button8Click(c.form);
         printProgram(c.form, c.form.buffer.chipRead);
         printConfig(c.form);
         return true;
       }},
      {"read-dm",
       [](Context& c) {
         Button5Click(c.form);
         printData(c.form);
         return true;
       }},
      {"read-config",
       [](Context& c) {
         Button10Click(c.form);
         printConfig(c.form);
         return true;
       }},
      {"read-id",
       [](Context& c) {
         Button13Click(c.form);
         printIds(c.form);
         return true;
       }},
      {"write",
       [](Context& c) {
         if (!loadFile(c, c.options.arguments[0])) return false;
         Button7Click(c.form);
         return c.form.operation.ok;
       }},
      {"verify",
       [](Context& c) {
         if (!loadFile(c, c.options.arguments[0])) return false;
         Button6Click(c.form);
         return c.form.operation.ok;
       }},
      {"write-dm",
       [](Context& c) {
         if (!loadFile(c, c.options.arguments[0])) return false;
         Button9Click(c.form);
         return c.form.operation.ok;
       }},
      {"write-config",
       [](Context& c) {
         if (!c.options.arguments.empty()) {
           if (!parseWord(c.options.arguments[0], c.form.buffer.config)) {
             std::fprintf(stderr, "write-config: %s - не 14-разрядное шестнадцатеричное слово\n",
                          c.options.arguments[0].c_str());
             return false;
           }
           Config_Chenge_iz_W(c.form);
         }
         // The window offers no standalone write for these chips; here it
         // keeps the chip's BG bits the way the erase and the write do.
         if (c.form.profile.is12F6xx()) BG_of_12F6xx_Readen(c.form);
         Button12Click(c.form);
         return c.form.operation.ok;
       }},
      {"write-id",
       [](Context& c) {
         for (std::size_t i = 0; i < 4; ++i) {
           if (!parseWord(c.options.arguments[i], c.form.buffer.ids[i])) {
             std::fprintf(stderr, "write-id: %s - не 14-разрядное шестнадцатеричное слово\n",
                          c.options.arguments[i].c_str());
             return false;
           }
           c.form.window.idCells[i] = hex4(c.form.buffer.ids[i]);
         }
         Button15Click(c.form);
         return c.form.operation.ok;
       }},
      {"erase",
       [](Context& c) {
         Button11Click(c.form);
         return c.form.operation.ok;
       }},
      {"disasm",
       [](Context& c) {
         if (!loadFile(c, c.options.arguments[0])) return false;
         Button18Click(c.form);
         return exportListing(c.form,
                              c.options.output.value_or(asmPathFor(c.options.arguments[0])));
       }},
      {"load",
       [](Context& c) {
         if (!loadFile(c, c.options.arguments[0])) return false;
         int words = 0, bytes = 0;
         for (int i = 0; i < c.form.profile.programWords; ++i)
           words += c.form.buffer.program[static_cast<std::size_t>(i)] != kBlankWord;
         for (int i = 0; i < c.form.profile.dataBytes; ++i)
           bytes += c.form.buffer.data[static_cast<std::size_t>(i)] != kBlankByte;
         std::printf("%s: занято слов памяти программ %d из %d, байт памяти данных %d из %d\n",
                     c.form.profile.name.c_str(), words, c.form.profile.programWords, bytes,
                     c.form.profile.dataBytes);
         printConfig(c.form);
         printIds(c.form);
         return true;
       }},
  };
  return table;
}

bool needsChip(const std::string& command) {
  return command != "disasm" && command != "load";
}

}  // namespace

int run(const Options& options) {
  std::string error;
  int status = kExitOk;
  const bool chip = needsChip(options.command);
  if (options.command == "write-config" && options.arguments.empty()) {
    if (!readSettingsFile(kSettingsFileName)) {
      std::fprintf(stderr,
                   "kalmar-cli: write-config без слова записывает слово из ./Kalmar.cfg, а этого "
                   "файла нет; укажите слово: write-config 3F18\n");
      return kExitUsage;
    }
  }
  std::unique_ptr<Session> session = Session::start(options, chip, error, status);
  if (!session) {
    std::fprintf(stderr, "kalmar-cli: %s\n", error.c_str());
    return status;
  }
  TForm1& form = session->form();
  session->beginCommand();
  Context context{form, options};
  bool done = true;
  const Identity identity = chip && !options.force && identifiedFirst(options.command)
                                ? identifyChip(form, session->chipChosen())
                                : Identity::Matches;
  if (identity == Identity::Selected && !options.quiet)
    std::fprintf(stderr, "Выбран микроконтроллер, который ответил: %s.\n",
                 form.profile.name.c_str());
  if (identity == Identity::OtherChip || identity == Identity::NoChip) done = false;
  if (options.calibration && !form.profile.is12F6xx()) {
    std::fprintf(stderr, "kalmar-cli: --calibration только для PIC12F629 и PIC12F675\n");
    return kExitUsage;
  }
  if (identity == Identity::Matches || identity == Identity::Selected)
    done = commands().at(options.command)(context);
  if (form.programmerMissing) status = kExitNoProgrammer;
  // A text of an action under way is no outcome (after check and detect).
  if (form.window.StatusBar1.rfind("Выполняемое действие:", 0) != 0)
    session->host().status(form.window.StatusBar1);
  if (!form.window.StatusBar2.empty()) session->host().status("(" + form.window.StatusBar2 + ")");
  if (!session->finish(error)) {
    std::fprintf(stderr, "kalmar-cli: %s\n", error.c_str());
    if (status == kExitOk) status = kExitFailed;
  }
  if (status != kExitOk) return status;
  if (!done || session->host().errorShown() || session->host().cancelled()) return kExitFailed;
  return kExitOk;
}

int runMain(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  ParsedOptions parsed = parseOptions(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "kalmar-cli: %s\nПодробнее: kalmar-cli --help\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(helpText().c_str(), stdout);
    return kExitOk;
  }
  if (parsed.options.version) {
    std::printf("kalmar-cli %s\n", KALMAR_VERSION);
    return kExitOk;
  }
  catchStopSignals();
  const int status = run(parsed.options);
  // A stop that came while no line step ran (at a question, say).
  if (const int signal = pendingStop()) return 128 + signal;
  return status;
}

}  // namespace kalmar::cli
