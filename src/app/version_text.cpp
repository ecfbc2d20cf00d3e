#include "app/version_text.h"

namespace kalmar {

std::string versionText(const std::string& program) {
  return program + " " + KALMAR_VERSION +
         "\n"
         "Copyright (C) 2026 Kalmar developers.\n"
         "Лицензия GPLv3+: GNU GPL версии 3 или новее <https://gnu.org/licenses/gpl.html>.\n"
         "Это свободная программа: её можно изменять и распространять.\n"
         "Нет НИКАКИХ ГАРАНТИЙ в той мере, в какой это допускает закон.\n";
}

}  // namespace kalmar
