#include "cli/command_table.h"

#include "cli/chip_commands.h"

namespace kalmar::cli {

namespace {

// name, arguments (least, most), synopsis, help, needs a chip, identified first, run,
// lines only
const std::vector<CommandRecord> kCommands = {
    {"program", 1, 1, "program ФАЙЛ.hex",
     "запрограммировать весь микроконтроллер одной командой:\n"
     "стереть (у PIC12F629/675 калибровка сохраняется), записать\n"
     "непустые слова программы, проверить всю память программ,\n"
     "записать и проверить память данных, идентификатор и слово\n"
     "конфигурации из файла; файл без данных не принимается",
     true, true, programCommand},
    {"detect", 0, 0, "detect", "какой микроконтроллер в программаторе (идентификатор 2006h)", true,
     false, detectCommand},
    {"pins", 0, 0, "pins [--auto] [--step-ms N]",
     "проверка адаптера без микроконтроллера: по шагам, с уровнями\n"
     "на контактах для вольтметра и проверкой чтения DATA;\n"
     "Enter - следующий шаг, --auto - через N мс (5000)",
     true, false, pinsCommand, true},
    {"check", 0, 0, "check", "проверка программатора", true, false, checkCommand},
    {"read", 0, 0, "read [-o ФАЙЛ.hex]",
     "прочитать всё: память программ, слово конфигурации,\n"
     "память данных, идентификатор; вывести или сохранить в Intel HEX\n"
     "(при ошибке файл не создаётся и не меняется)",
     true, true, readCommand},
    {"read-pm", 0, 0, "read-pm", "прочитать и вывести память программ и слово конфигурации", true,
     true, readProgramCommand},
    {"read-dm", 0, 0, "read-dm", "прочитать и вывести память данных", true, true, readDataCommand},
    {"read-config", 0, 0, "read-config", "прочитать и вывести слово конфигурации", true, true,
     readConfigCommand},
    {"read-id", 0, 0, "read-id", "прочитать и вывести идентификатор", true, true, readIdCommand},
    {"write", 1, 1, "write ФАЙЛ.hex",
     "открыть файл, записать память программ (все слова, как\n"
     "окно программы), проверить её, записать слово конфигурации",
     true, true, writeCommand},
    {"verify", 1, 1, "verify ФАЙЛ.hex", "открыть файл, проверить память программ", true, true,
     verifyCommand},
    {"write-dm", 1, 1, "write-dm ФАЙЛ.hex", "открыть файл, записать и проверить память данных",
     true, true, writeDataCommand},
    {"write-config", 0, 2, "write-config [СЛОВО [СЛОВО2]]",
     "записать слово конфигурации (указанное шестнадцатеричное\n"
     "или, без слова, из ./Kalmar.cfg, который тогда нужен);\n"
     "СЛОВО2 - второе слово (2008h) у PIC16F87/88",
     true, true, writeConfigCommand},
    {"write-id", 4, 4, "write-id С0 С1 С2 С3",
     "записать четыре слова идентификатора (шестнадцатеричные)", true, true, writeIdCommand},
    {"erase", 0, 0, "erase", "стереть всё и убедиться, что микроконтроллер чист", true, true,
     eraseCommand},
    {"disasm", 1, 1, "disasm ФАЙЛ.hex [-o Ф.asm]",
     "дизассемблировать файл в листинг на ассемблере\n"
     "(без микроконтроллера; по умолчанию ФАЙЛ.asm)",
     false, false, disasmCommand},
    {"load", 1, 1, "load ФАЙЛ.hex", "открыть файл и сообщить, что в нём", false, false,
     loadCommand},
};

constexpr std::size_t kSynopsisColumn = 28;

// Display width of UTF-8 text: one column a character.
std::size_t columns(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

}  // namespace

const std::vector<CommandRecord>& commandTable() {
  return kCommands;
}

const CommandRecord* findCommand(std::string_view name) {
  for (const CommandRecord& record : kCommands)
    if (name == record.name) return &record;
  return nullptr;
}

std::string commandsHelp() {
  const std::string indent(2 + kSynopsisColumn, ' ');
  std::string text = "Команды:\n";
  for (const CommandRecord& record : kCommands) {
    const std::string synopsis = record.synopsis;
    text += "  " + synopsis;
    const std::size_t width = columns(synopsis);
    if (width < kSynopsisColumn)
      text += std::string(kSynopsisColumn - width, ' ');
    else
      text += "\n" + indent;
    for (const char c : std::string_view(record.help))
      text += c == '\n' ? "\n" + indent : std::string(1, c);
    text += "\n";
  }
  return text;
}

}  // namespace kalmar::cli
