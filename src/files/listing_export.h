#pragma once

#include <string>
#include <vector>

#include "model/form1.h"

namespace kalmar {

// "Сохранить" of the listing: asks for a file and writes the assembler source.
void Button19Click(TForm1& form);
void SpeedButton5Click(TForm1& form);
void N28Click(TForm1& form);
// Writes the listing to a file already chosen (the command line's way in).
bool exportListing(TForm1& form, const std::string& path);

// The ID, configuration and data memory sections, lines joined by CR LF.
std::string D0_String_PD(const TForm1& form);
// The whole file as lines (UTF-8), without line ends.
std::vector<std::string> listingFileLines(TForm1& form);
// A name without an extension gets ".txt", as the save dialog does.
std::string withDefaultExtension(const std::string& path);

}  // namespace kalmar
