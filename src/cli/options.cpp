#include "cli/options.h"

#include <getopt.h>

#include <cctype>
#include <cstdlib>
#include <map>

#include "app/port_stack.h"
#include "cli/command_table.h"
#include "device/catalogue.h"

namespace kalmar::cli {

namespace {

bool isSlowdown(double value) {
  for (double allowed : {1.0, 1.2, 1.5, 2.0, 3.0, 5.0})
    if (value == allowed) return true;
  return false;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string chipList() {
  std::string list;
  for (const CatalogueEntry& chip : catalogue())
    list += (list.empty() ? "" : ", ") + std::string(chip.name);
  return list;
}

enum LongOnly {
  kVirtualTime = 256,
  kSlowdown,
  kSimFault,
  kTrace,
  kSimLog,
  kVersion,
  kCalibration,
  kAuto,
  kStepMs,
  kPins
};

const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {"yes", no_argument, nullptr, 'y'},
    {"quiet", no_argument, nullptr, 'q'},
    {"force", no_argument, nullptr, 'f'},
    {"virtual-time", no_argument, nullptr, kVirtualTime},
    {"chip", required_argument, nullptr, 'c'},
    {"port", required_argument, nullptr, 'p'},
    {"slowdown", required_argument, nullptr, kSlowdown},
    {"sim-fault", required_argument, nullptr, kSimFault},
    {"trace", required_argument, nullptr, kTrace},
    {"sim-log", required_argument, nullptr, kSimLog},
    {"output", required_argument, nullptr, 'o'},
    {"calibration", required_argument, nullptr, kCalibration},
    {"auto", no_argument, nullptr, kAuto},
    {"step-ms", required_argument, nullptr, kStepMs},
    {"pins", required_argument, nullptr, kPins},
    {nullptr, 0, nullptr, 0},
};

// One option and its value; an empty string when it is fine.
std::string takeOption(Options& o, int code, const std::string& value) {
  switch (code) {
    case 'h':
      o.help = true;
      break;
    case kVersion:
      o.version = true;
      break;
    case 'y':
      o.yes = true;
      break;
    case 'q':
      o.quiet = true;
      break;
    case 'f':
      o.force = true;
      break;
    case kVirtualTime:
      o.virtualTime = true;
      break;
    case 'c': {
      std::optional<std::string> name = chipNamed(value);
      if (!name) return "неизвестный микроконтроллер " + value + " (можно: " + chipList() + ")";
      o.chip = *name;
      break;
    }
    case 'p': {
      o.port = portNamed(value);
      if (!o.port) return "неизвестный порт " + value + " (" + kPortChoices + ")";
      break;
    }
    case kSlowdown: {
      char* end = nullptr;
      const double factor = std::strtod(value.c_str(), &end);
      if (end == value.c_str() || *end != '\0' || !isSlowdown(factor))
        return "недопустимое замедление " + value + " (1, 1.2, 1.5, 2, 3 или 5)";
      o.slowdown = factor;
      break;
    }
    case kSimFault:
      o.simFaults.push_back(value);
      break;
    case kPins:
      o.pinsText = value;
      break;
    case kTrace:
      o.traceFile = value;
      break;
    case kSimLog:
      o.simLog = value;
      break;
    case 'o':
      o.output = value;
      break;
    case kCalibration: {
      char* end = nullptr;
      const unsigned long word = std::strtoul(value.c_str(), &end, 16);
      if (value.empty() || *end != '\0' || (word & 0xFF00) != 0x3400)
        return "--calibration: нужно калибровочное слово RETLW 34xx, а не " + value;
      o.calibration = static_cast<std::uint16_t>(word);
      break;
    }
    case kAuto:
      o.autoSteps = true;
      break;
    case kStepMs: {
      char* end = nullptr;
      const long ms = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || ms < 1 || ms > 600000)
        return "--step-ms: нужно время шага в миллисекундах (1…600000), а не " + value;
      o.stepMs = static_cast<int>(ms);
      break;
    }
    default:
      return "неизвестный параметр";
  }
  return {};
}

}  // namespace

std::optional<std::string> chipNamed(const std::string& text) {
  std::string name = upper(text);
  if (name.rfind("PIC", 0) != 0) name = "PIC" + name;
  if (findChip(name) == nullptr) return std::nullopt;
  return name;
}

namespace {

// The words of a command line as getopt wants them, kept alive beside it.
struct ArgumentVector {
  explicit ArgumentVector(const std::vector<std::string>& args) {
    storage.reserve(args.size() + 1);
    storage.push_back("kalmar-cli");
    storage.insert(storage.end(), args.begin(), args.end());
    for (std::string& arg : storage) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
  }
  int count() const { return static_cast<int>(storage.size()); }
  const char* at(int i) const { return pointers[static_cast<std::size_t>(i)]; }

  std::vector<std::string> storage;
  std::vector<char*> pointers;
};

void takeWord(Options& o, std::string word) {
  if (o.command.empty())
    o.command = std::move(word);
  else
    o.arguments.push_back(std::move(word));
}

// The reason getopt stopped at an option it could not take.
std::string refusedOption(int code, const std::string& arg) {
  if (optopt != 0 && std::string("cpo").find(static_cast<char>(optopt)) != std::string::npos)
    return "после -" + std::string(1, static_cast<char>(optopt)) + " нужно значение";
  return code == ':' ? "после " + arg + " нужно значение" : "неизвестный параметр " + arg;
}

// The options and the words between them; a reason when one is unusable.
std::string scanArguments(ArgumentVector& argv, Options& o) {
  optind = 0;  // a fresh scan (GNU)
  opterr = 0;  // reasons are ours, in Russian
  int code = 0;
  while ((code = getopt_long(argv.count(), argv.pointers.data(), "+hyqfc:p:o:", kLongOptions,
                             nullptr)) != -1) {
    if (code == '?' || code == ':') return refusedOption(code, argv.at(optind - 1));
    const std::string reason = takeOption(o, code, optarg ? optarg : "");
    if (!reason.empty()) return reason;
    // "+": stop at the command; options after it are scanned again.
    while (optind < argv.count() && argv.at(optind)[0] != '-') takeWord(o, argv.at(optind++));
  }
  for (int i = optind; i < argv.count(); ++i) takeWord(o, argv.at(i));
  return {};
}

std::string argumentCountText(const CommandRecord& command) {
  std::string text = std::to_string(command.minArguments);
  if (command.maxArguments != command.minArguments)
    text += " или " + std::to_string(command.maxArguments);
  return text;
}

// What the scan cannot tell: a command, its arguments, options that need another.
std::string checkCommand(const Options& o) {
  if (o.command.empty()) return "не указана команда";
  const CommandRecord* command = findCommand(o.command);
  if (command == nullptr) return "неизвестная команда " + o.command;
  const int count = static_cast<int>(o.arguments.size());
  if (count < command->minArguments || count > command->maxArguments)
    return "неверное число аргументов команды " + o.command + " (нужно " +
           argumentCountText(*command) + ")";
  const bool sim = o.port && o.port->rfind("sim:", 0) == 0;
  if (!o.simFaults.empty() && !sim) return "--sim-fault действует только с --port sim:ФАЙЛ";
  if (o.simLog && !sim) return "--sim-log действует только с --port sim:ФАЙЛ";
  return {};
}

// The pin map, once the port is known.
std::string checkPins(Options& o) {
  if (!o.pinsText) return {};
  std::string error;
  o.pins = adapterPinsFor(o.port.value_or(""), *o.pinsText, error);
  return error;
}

}  // namespace

// getopt_long (glibc): "--opt=value" and "--opt value", short options
// bundled, options before or after the command, "--" ending them; the
// parser every GNU tool uses, with no dependency to install.
ParsedOptions parseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  ArgumentVector argv(args);
  parsed.error = scanArguments(argv, parsed.options);
  if (parsed.error.empty() && parsed.options.version && !parsed.options.help &&
      !parsed.options.command.empty())
    parsed.error = "после --version ничего не указывается";
  if (parsed.error.empty() && !parsed.options.help && !parsed.options.version)
    parsed.error = checkCommand(parsed.options);
  if (parsed.error.empty()) parsed.error = checkPins(parsed.options);
  return parsed;
}

std::string helpText() {
  return R"(kalmar-cli: программатор PIC16F84/84A, PIC16C84, PIC16F627/627A/628/628A/648A,
PIC16F87/88, PIC16F818/819, PIC16F716, PIC12F629/675/683, PIC16F630/676/684/688,
PIC16F631/677/685/687/689/690, PIC16F873A/874A/876A/877A и PIC16F882/883/884/886/887
через адаптер на параллельном порту, на плате FT232R (USB) или на выводах GPIO,
или с симулятором микроконтроллера.

Запуск: kalmar-cli [параметры] КОМАНДА [АРГУМЕНТЫ]

Параметры:
  -c, --chip ИМЯ        PIC16F84, PIC16F84A, PIC16C84, PIC16F627, PIC16F627A,
                        PIC16F628, PIC16F628A, PIC12F629, PIC12F675, PIC16F648A,
                        PIC16F630, PIC16F676, PIC16F87, PIC16F88, PIC16F818,
                        PIC16F819, PIC16F716, PIC12F683, PIC16F684, PIC16F688,
                        PIC16F631, PIC16F677, PIC16F685, PIC16F687, PIC16F689,
                        PIC16F690, PIC16F873A, PIC16F874A, PIC16F876A,
                        PIC16F877A, PIC16F882, PIC16F883, PIC16F884, PIC16F886
                        или PIC16F887,
                        в любом регистре и без «PIC» (16f628a); по умолчанию
                        из ./Kalmar.cfg, а без него - микроконтроллер, который
                        ответил (иначе PIC16F84)
  -p, --port ПОРТ       lpt1 | lpt2 | /dev/parportN | ftdi[:СЕРИЙНЫЙ_НОМЕР] |
                        gpio[:/dev/gpiochipN] | sim:ФАЙЛ (по умолчанию из
                        ./Kalmar.cfg, иначе lpt1); открывается только этот порт;
                        ftdi - адаптер на плате FT232R (USB; в Windows через
                        драйвер FTDI, библиотеку ftd2xx.dll), gpio - на выводах
                        GPIO (Linux, Raspberry Pi; по умолчанию /dev/gpiochip0)
      --pins ВЫВОДЫ     с ftdi и gpio: DATA,CLOCK,VPP,VDD,READ - выводы входов
                        адаптера и его обратной линии; ftdi: 0-7 или TXD, RXD, RTS,
                        CTS, DTR, DSR, DCD, RI (по умолчанию TXD,RXD,RTS,DTR,CTS);
                        gpio: номера линий (по умолчанию 17,27,22,23,24)
      --slowdown K      замедлить работу (единица времени 8 мкс): 1, 1.2, 1.5, 2, 3 или 5
      --virtual-time    с sim: симулированное время, весь микроконтроллер за доли секунды
      --sim-fault Н     с sim, можно несколько раз: no-adapter, no-chip, data-stuck-low,
                        data-stuck-high, stuck:АДРЕС=ЗНАЧЕНИЕ (шестнадцатеричные адрес
                        слова и значение), slow:АДРЕС (адрес слова), code-protected
      --sim-log ФАЙЛ    с sim: весь журнал симулятора (нарушения, предупреждения,
                        принятые команды); нарушения и предупреждения выводятся
                        и без него, а нарушение делает команду неудачной
      --trace ФАЙЛ      записать каждое обращение к порту: наносекунды от начала
                        команды, W или R и байт в шестнадцатеричном виде, по строке;
                        ФАЙЛ.vcd - временная диаграмма линий и команд для GTKWave и
                        PulseView/sigrok
  -y, --yes             отвечать OK на все предупреждения и вопросы (иначе вопрос
                        задаётся на терминале, а без терминала ответ - Отмена)
  -o, --output ФАЙЛ     куда записывают read и disasm
  -f, --force           не проверять идентификатор микроконтроллера; program пишет
                        и пустой файл
      --calibration СЛОВО  PIC12F629/675, PIC16F630/676: записать по адресу 3FF это калибровочное
                        слово RETLW (34xx) вместо сохранённого (program, write)
  -q, --quiet           выводить только ошибки
  -h, --help            эта справка
      --version         версия программы

Значения параметров пишутся через пробел или «=»: --chip PIC16F628A, --chip=16F628A.

)" + commandsHelp() +
         R"(
sim:ФАЙЛ - симулированный микроконтроллер, который хранится в ФАЙЛЕ между запусками;
если ФАЙЛА нет, он создаётся как новый микроконтроллер типа --chip. Микроконтроллер
в файле сохраняет свой тип, даже если --chip называет другой.

Перед командами, которые читают или меняют микроконтроллер, читается его
идентификатор: если ответил другой микроконтроллер или никакой, команда не
выполняется (у PIC16F84 и PIC16C84 идентификатора нет, их не проверить).
Перед стиранием PIC12F629/675 и PIC16F630/676 выводятся калибровочное слово
и биты BG.

Код завершения: 0 - успешно; 1 - ошибка, отказ или отмена; 2 - неверный вызов;
3 - программатор не обнаружен или адаптер ftdi/gpio потерян во время команды;
128 + номер сигнала - остановлено сигналом (Ctrl-C: 130), программатор при этом
выключен.
)";
}

}  // namespace kalmar::cli
