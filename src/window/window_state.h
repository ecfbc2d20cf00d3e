#pragma once

#include <string>

namespace kalmar {

struct MenuItem {
  std::string Caption;
  bool Enabled = true;
  bool Visible = true;
};

// The slow-down submenu of "Настройка" ("Замедлить работу").
struct SlowdownMenuState {
  MenuItem N201{"  На 20%"};
  MenuItem N501{"  На 50%"};
  MenuItem N1001{"  В два раза"};
  MenuItem N2001{"  В три раза"};
  MenuItem N5001{"  В пять раз"};
  MenuItem N42{"^ Без замедления"};
};

// What the main window shows; every command writes here and the views
// (desktop or terminal) render it.
struct WindowState {
  std::string StatusBar1;
  std::string StatusBar2;
  SlowdownMenuState slowdown;
};

}  // namespace kalmar
