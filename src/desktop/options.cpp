#include "desktop/options.h"

#include "app/port_stack.h"

namespace kalmar::desktop {

namespace {

bool takePort(DesktopOptions& options, const std::string& value) {
  options.port = portNamed(value);
  if (!options.port) options.error = "неизвестный порт " + value + " (" + kPortChoices + ")";
  return options.port.has_value();
}

// args[i] as the option `name` with its value, "NAME VALUE" or (for a long
// name) "NAME=VALUE"; false when args[i] is another option. The value is
// empty when the line ends after the name.
bool optionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                 std::optional<std::string>& value) {
  const std::string& arg = args[i];
  if (name.size() > 2 && arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (arg != name) return false;
  if (i + 1 < args.size()) value = args[++i];
  return true;
}

// Takes args[i] (and its value); false when the line is unusable (the
// reason in options.error).
bool takeArgument(DesktopOptions& options, const std::vector<std::string>& args, std::size_t& i) {
  const std::string arg = args[i];
  std::optional<std::string> value;
  if (arg == "--help" || arg == "-h") {
    options.help = true;
  } else if (arg == "--version") {
    options.version = true;
  } else if (arg == "--virtual-time") {
    options.virtualTime = true;
  } else if (optionValue(args, i, "--port", value) || optionValue(args, i, "-p", value)) {
    if (!value) options.error = "после " + arg + " нужен порт";
    return value && takePort(options, *value);
  } else if (optionValue(args, i, "--pins", value)) {
    if (!value) options.error = "после --pins нужны выводы";
    options.pinsText = value;
    return value.has_value();
  } else {
    options.error = "неизвестный параметр " + arg;
    return false;
  }
  return true;
}

}  // namespace

DesktopOptions parseDesktopOptions(const std::vector<std::string>& args) {
  DesktopOptions options;
  for (std::size_t i = 0; i < args.size(); ++i)
    if (!takeArgument(options, args, i)) return options;
  if (options.version && args.size() > 1) {
    options.error = "после --version ничего не указывается";
    return options;
  }
  if (options.virtualTime && !(options.port && isSimPort(*options.port)))
    options.error = "--virtual-time действует только с портом sim:ФАЙЛ";
  if (options.pinsText && options.error.empty()) {
    options.pins = adapterPinsFor(options.port.value_or(""), *options.pinsText, options.error);
  }
  return options;
}

const char* desktopHelpText() {
  return "kalmar: окно программатора PIC16F84/84A, PIC16C84, PIC16F627/627A/628/628A/648A,\n"
         "PIC16F87/88, PIC16F818/819, PIC16F716, PIC12F629/675/683, PIC16F630/676/684/688,\n"
         "PIC16F631/677/685/687/689/690, PIC16F873A/874A/876A/877A и PIC16F882/883/884/886/887\n"
         "через адаптер на параллельном порту, на плате FT232R (USB) или на выводах GPIO,\n"
         "или с симулятором.\n"
         "\n"
         "Запуск: kalmar [параметры]\n"
         "\n"
         "Параметры:\n"
         "  -p, --port ПОРТ     lpt1 | lpt2 | /dev/parportN | ftdi[:СЕРИЙНЫЙ_НОМЕР] |\n"
         "                      gpio[:/dev/gpiochipN] | sim:ФАЙЛ; по умолчанию порт\n"
         "                      из Kalmar.cfg; ftdi - адаптер на плате FT232R (USB;\n"
         "                      в Windows через драйвер FTDI, библиотеку ftd2xx.dll),\n"
         "                      gpio - на выводах GPIO (Linux, Raspberry Pi, по умолчанию\n"
         "                      /dev/gpiochip0); sim:ФАЙЛ - симулированный программатор с\n"
         "                      микроконтроллером, который хранится в ФАЙЛе\n"
         "      --pins ВЫВОДЫ   с ftdi и gpio: DATA,CLOCK,VPP,VDD,READ - выводы входов\n"
         "                      адаптера и его обратной линии (ftdi: 0-7 или TXD, RXD,\n"
         "                      RTS, CTS, DTR, DSR, DCD, RI, по умолчанию TXD,RXD,RTS,DTR,CTS;\n"
         "                      gpio: номера линий, по умолчанию 17,27,22,23,24)\n"
         "      --virtual-time  с sim: симулированное время, операции идут мгновенно\n"
         "  -h, --help          эта справка\n"
         "      --version       версия программы\n"
         "\n"
         "Значение пишется через пробел или «=»: --port sim:demo.chip, --port=lpt2.\n"
         "Kalmar.cfg читается и записывается в текущей папке; адаптер ftdi или gpio\n"
         "в него не записывается. В Windows, если параллельный порт недоступен, окно\n"
         "при первом запуске без --port спрашивает, работать ли через плату FT232R;\n"
         "ответ хранится рядом с Kalmar.cfg, в файле Kalmar.adapter: ftdi - открывать\n"
         "FT232R при каждом запуске, lpt - работать без порта; удалите файл, чтобы\n"
         "выбрать заново.\n";
}

}  // namespace kalmar::desktop
