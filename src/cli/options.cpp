#include "cli/options.h"

#include "device/catalogue.h"

#include <cstdlib>
#include <map>

namespace kalmar::cli {

namespace {

// Commands and how many arguments each takes (min, max).
const std::map<std::string, std::pair<int, int>> kCommands = {
    {"check", {0, 0}},       {"read", {0, 0}},         {"read-pm", {0, 0}},  {"read-dm", {0, 0}},
    {"read-config", {0, 0}}, {"read-id", {0, 0}},      {"write", {1, 1}},    {"verify", {1, 1}},
    {"write-dm", {1, 1}},    {"write-config", {0, 1}}, {"write-id", {4, 4}}, {"erase", {0, 0}},
    {"disasm", {1, 1}},      {"load", {1, 1}},
};

bool isSlowdown(double value) {
  for (double allowed : {1.0, 1.2, 1.5, 2.0, 3.0, 5.0})
    if (value == allowed) return true;
  return false;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  Options& o = parsed.options;
  auto fail = [&](std::string reason) {
    parsed.error = std::move(reason);
    return parsed;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "-h" || arg == "--help") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "-y" || arg == "--yes") {
      o.yes = true;
    } else if (arg == "-q" || arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--virtual-time") {
      o.virtualTime = true;
    } else if (arg == "-c" || arg == "--chip") {
      if (!value(text)) return fail("после " + arg + " нужно название микроконтроллера");
      if (findChip(text) == nullptr) return fail("неизвестный микроконтроллер " + text);
      o.chip = text;
    } else if (arg == "-p" || arg == "--port") {
      if (!value(text)) return fail("после " + arg + " нужен порт");
      if (text != "lpt1" && text != "lpt2" && (text.rfind("sim:", 0) != 0 || text.size() < 5))
        return fail("неизвестный порт " + text + " (lpt1, lpt2 или sim:ФАЙЛ)");
      o.port = text;
    } else if (arg == "--slowdown") {
      if (!value(text)) return fail("после --slowdown нужен коэффициент");
      char* end = nullptr;
      double factor = std::strtod(text.c_str(), &end);
      if (end == text.c_str() || *end != '\0' || !isSlowdown(factor))
        return fail("недопустимое замедление " + text + " (1, 1.2, 1.5, 2, 3 или 5)");
      o.slowdown = factor;
    } else if (arg == "--sim-fault") {
      if (!value(text)) return fail("после --sim-fault нужна неисправность");
      o.simFaults.push_back(text);
    } else if (arg == "--trace") {
      if (!value(text)) return fail("после --trace нужен файл");
      o.traceFile = text;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(text)) return fail("после " + arg + " нужен файл");
      o.output = text;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("неизвестный параметр " + arg);
    } else if (o.command.empty()) {
      o.command = arg;
    } else {
      o.arguments.push_back(arg);
    }
  }
  if (o.help || o.version) return parsed;
  if (o.command.empty()) return fail("не указана команда");
  auto command = kCommands.find(o.command);
  if (command == kCommands.end()) return fail("неизвестная команда " + o.command);
  const int count = static_cast<int>(o.arguments.size());
  if (count < command->second.first || count > command->second.second)
    return fail("неверное число аргументов команды " + o.command + " (нужно " +
                std::to_string(command->second.first) +
                (command->second.first == command->second.second
                     ? ""
                     : " или " + std::to_string(command->second.second)) +
                ")");
  if (!o.simFaults.empty() && !(o.port && o.port->rfind("sim:", 0) == 0))
    return fail("--sim-fault действует только с --port sim:ФАЙЛ");
  return parsed;
}

std::string helpText() {
  return R"(kalmar-cli: программатор PIC16F84/84A, PIC16C84, PIC16F627/627A/628/628A и
PIC12F629/675 через адаптер на параллельном порту или с симулятором микроконтроллера.

Запуск: kalmar-cli [параметры] КОМАНДА [АРГУМЕНТЫ]

Параметры:
  -c, --chip ИМЯ        PIC16F84, PIC16F84A, PIC16C84, PIC16F627, PIC16F627A,
                        PIC16F628, PIC16F628A, PIC12F629 или PIC12F675
                        (по умолчанию: из ./Kalmar.cfg, иначе PIC16F84)
  -p, --port ПОРТ       lpt1 | lpt2 | sim:ФАЙЛ (по умолчанию: из ./Kalmar.cfg, иначе lpt1)
      --slowdown K      замедлить работу (единица времени 8 мкс): 1, 1.2, 1.5, 2, 3 или 5
      --virtual-time    с sim: симулированное время, весь микроконтроллер за доли секунды
      --sim-fault Н     с sim, можно несколько раз: no-adapter, no-chip, data-stuck-low,
                        data-stuck-high, stuck:АДРЕС=ЗНАЧЕНИЕ (шестнадцатеричные адрес
                        слова и значение), slow:АДРЕС (адрес слова), code-protected
      --trace ФАЙЛ      записать каждое обращение к порту: наносекунды от начала
                        команды, W или R и байт в шестнадцатеричном виде, по строке
  -y, --yes             отвечать OK на все предупреждения и вопросы (иначе вопрос
                        задаётся на терминале, а без терминала ответ - Отмена)
  -o, --output ФАЙЛ     куда записывают read и disasm
  -q, --quiet           выводить только ошибки
  -h, --help            эта справка
      --version         версия программы

Команды:
  check                       проверка программатора
  read [-o ФАЙЛ.hex]          прочитать всё: память программ, слово конфигурации,
                              память данных, идентификатор; вывести или сохранить в Intel HEX
  read-pm | read-dm | read-config | read-id
                              прочитать одну область и вывести её
  write ФАЙЛ.hex              открыть файл, записать память программ, проверить её,
                              записать слово конфигурации
  verify ФАЙЛ.hex             открыть файл, проверить память программ
  write-dm ФАЙЛ.hex           открыть файл, записать и проверить память данных
  write-config [СЛОВО]        записать слово конфигурации (указанное шестнадцатеричное
                              или из ./Kalmar.cfg)
  write-id С0 С1 С2 С3        записать четыре слова идентификатора (шестнадцатеричные)
  erase                       стереть всё и убедиться, что микроконтроллер чист
  disasm ФАЙЛ.hex [-o Ф.asm]  дизассемблировать файл в листинг на ассемблере
                              (без микроконтроллера; по умолчанию ФАЙЛ.asm)
  load ФАЙЛ.hex               открыть файл и сообщить, что в нём

sim:ФАЙЛ - симулированный микроконтроллер, который хранится в ФАЙЛЕ между запусками;
если ФАЙЛА нет, он создаётся как новый микроконтроллер типа --chip. Микроконтроллер
в файле сохраняет свой тип, даже если --chip называет другой.

Код завершения: 0 - успешно; 1 - ошибка, отказ или отмена; 2 - неверный вызов;
3 - программатор не обнаружен.
)";
}

}  // namespace kalmar::cli
