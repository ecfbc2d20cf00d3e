#include "device/adapter_choice.h"

#include "files/file_io.h"

namespace kalmar {

namespace {

constexpr std::size_t kChoiceFileMaxBytes = 64;

std::string inStartDirectory(Platform& platform, const std::string& name) {
  std::string directory = platform.currentDirectory();
  if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') directory += '\\';
  return directory + name;
}

bool parallelPortReachable(Platform& platform, bool portLibraryPresent) {
  return platform.systemKind() != SystemKind::WindowsNt || portLibraryPresent ||
         platform.fileExists(inStartDirectory(platform, "Smport.sys"));
}

std::string askForAdapter(Host& host) {
  const MessageResult answer = host.messageBox(
      "Параллельный порт недоступен",
      "Программе недоступен параллельный порт: нет ни драйвера Smport.sys в её каталоге,\r\n"
      "ни библиотеки inpoutx64.dll (inpout32.dll) рядом с программой.\r\n"
      "Программатор можно подключить через плату FT232R на USB: её драйвер Windows\r\n"
      "ставит сам при первом подключении платы.\r\n"
      "Без программатора программа работает с файлами, а опробовать её можно на\r\n"
      "симуляторе микроконтроллера: kalmar --port sim:ФАЙЛ.\r\n\r\n"
      "Подключать программатор через плату FT232R?\r\n"
      "(Ответ запоминается в файле Kalmar.adapter; удалите его, чтобы выбрать заново.)",
      MessageIcon::Information, MessageButtons::YesNo);
  return answer == MessageResult::Yes ? kChoiceFt232r : kChoiceParallelPort;
}

}  // namespace

std::optional<std::string> rememberedAdapter(Platform& platform) {
  const std::string path = inStartDirectory(platform, kAdapterChoiceFileName);
  if (!platform.fileExists(path)) return std::nullopt;
  std::string text, error;
  if (!readFile(path, kChoiceFileMaxBytes, text, error)) return std::nullopt;
  for (const char* choice : {kChoiceFt232r, kChoiceParallelPort})
    if (text.rfind(choice, 0) == 0) return std::string(choice);
  return std::nullopt;
}

std::optional<std::string> portAtStart(Platform& platform, Host& host, bool portLibraryPresent) {
  if (parallelPortReachable(platform, portLibraryPresent)) return std::nullopt;
  std::optional<std::string> choice = rememberedAdapter(platform);
  if (!choice) {
    choice = askForAdapter(host);
    std::string error;  // not kept: the question comes again at the next start
    writeFileAtomically(inStartDirectory(platform, kAdapterChoiceFileName), *choice + "\r\n",
                        error);
  }
  if (*choice == kChoiceFt232r) return choice;
  return std::nullopt;
}

}  // namespace kalmar
