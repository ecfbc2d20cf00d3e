#include "ui/desktop_options.h"

#include <algorithm>
#include <cctype>

namespace kalmar::ui {

namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool takePort(DesktopOptions& options, const std::string& value) {
  const std::string port = value.rfind("sim:", 0) == 0 ? value : lower(value);
  if (port != "lpt1" && port != "lpt2" && !(port.rfind("sim:", 0) == 0 && port.size() > 4)) {
    options.error = "неизвестный порт " + value + " (lpt1, lpt2 или sim:ФАЙЛ)";
    return false;
  }
  options.port = port;
  return true;
}

}  // namespace

DesktopOptions parseDesktopOptions(const std::vector<std::string>& args) {
  DesktopOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--virtual-time") {
      options.virtualTime = true;
    } else if (arg == "--port" || arg == "-p") {
      if (i + 1 == args.size()) {
        options.error = "после " + arg + " нужен порт";
        return options;
      }
      if (!takePort(options, args[++i])) return options;
    } else if (arg.rfind("--port=", 0) == 0) {
      if (!takePort(options, arg.substr(7))) return options;
    } else {
      options.error = "неизвестный параметр " + arg;
      return options;
    }
  }
  if (options.virtualTime && !(options.port && options.port->rfind("sim:", 0) == 0))
    options.error = "--virtual-time действует только с портом sim:ФАЙЛ";
  return options;
}

const char* desktopHelpText() {
  return "Использование: kalmar [--port lpt1|lpt2|sim:ФАЙЛ] [--virtual-time]\n"
         "  --port lpt1|lpt2   параллельный порт программатора (по умолчанию из Kalmar.cfg)\n"
         "  --port sim:ФАЙЛ    симулированный программатор с микроконтроллером,\n"
         "                     содержимое которого хранится в ФАЙЛе\n"
         "  --virtual-time     симулированное время: операции с симулятором идут мгновенно\n"
         "  --version          версия программы\n";
}

}  // namespace kalmar::ui
