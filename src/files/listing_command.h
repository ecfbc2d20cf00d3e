#pragma once

#include <string>

#include "model/form1.h"

namespace kalmar {

inline constexpr const char* kListingCaption = " Память программ   //  Ассемблер";
inline constexpr const char* kFootnoteHint =
    "Нажмите здесь для того, чтобы показать или убрать коментарий.";
// The footnote's three lines; collapsed, only the first shows.
inline const std::string kFootnoteLines[3] = {
    std::string(74, ' ') + "*  Коментарий ",
    "Нет однозначности в отношении указанного в строке регистра.",
    "По умолчанию указан регистр из Банка 0. ",
};

// "Дизассемблер": shows the listing view, decoding the disassembly source
// again only when it has changed since the last run.
void Button18Click(TForm1& form);
// "Закрыть" of the listing view.
void SpeedButton6Click(TForm1& form);
// The footnote under the listing: a click shows or hides its comment.
void Memo2Click(TForm1& form);
void collapseFootnote(TForm1& form);

}  // namespace kalmar
