#pragma once

#include <QString>
#include <utility>
#include <vector>

// The program's longest box captions and texts, for the tests that boxes fit
// them and for the screenshots that show them.
inline const std::vector<std::pair<QString, QString>>& longestBoxTexts() {
  static const std::vector<std::pair<QString, QString>> boxes = {
      {"Предупреждение.",
       "Вы установили бит защиты кода. После программирования данные,\nзаписанные в "
       "микроконтроллере, перестанут быть доступными для\nчтения и редактирования.\nВы "
       "действительно хотите продолжить?"},
      {"Предупреждение.",
       "После стирания все данные, записанные сейчас в микроконтроллере\nбудут потеряны. Вы "
       "действительно хотите продолжить?"},
      {"Ошибка при программировании.",
       "Прграмматор не обнаружен. Проверьте правильность соединения,\nпорт подключения, "
       "напряжение питания программатора."},
      {"Ошибка при определении драйвера порта.",
       "Не удалось открыть порт /dev/parport0.\nПричина: Permission denied.\nНужны модуль "
       "ppdev и право доступа к устройству (группа lp).\nПрограмма продолжит работу без "
       "доступа к порту."},
  };
  return boxes;
}
