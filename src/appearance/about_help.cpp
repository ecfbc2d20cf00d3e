#include "appearance/about_help.h"

#include "device/startup.h"

namespace kalmar {

namespace {

void openPage(TForm1& form, const char* name, const char* failureCaption) {
  const std::string path = startupFilePath(form, name);
  if (form.platform.fileExists(path)) {
    form.host.shellOpen(path);
    return;
  }
  // An installed program is started from anywhere: its own copy of the page.
  const std::string& installed = form.settings.installedDataDirectory;
  if (!installed.empty()) {
    const std::string copy = filePathIn(form, installed, name);
    if (form.platform.fileExists(copy)) {
      form.host.shellOpen(copy);
      return;
    }
  }
  form.host.messageBox(failureCaption, "Файл " + path + " не найден.", MessageIcon::Error,
                       MessageButtons::Ok);
}

}  // namespace

void N26Click(TForm1& form) {
  openPage(form, "Help.htm", "Ошибка при откпытии файла помощи.");
}

void N27Click(TForm1& form) {
  openPage(form, "Shema.htm", "Ошибка при откпытии схемы программатора.");
}

void N29Click(TForm1& form) {
  form3::FormShow(form);
  form.window.request = FrontEndRequest::About;
}

namespace form3 {

void FormShow(TForm1& form) {
  const auto& saved = form.window.colours.saved;
  form.window.about = {saved[0], saved[2], saved[1]};
}

void Label3Click(TForm1& form) {
  form.host.shellOpen(kChipMakerSite);
}

}  // namespace form3

}  // namespace kalmar
