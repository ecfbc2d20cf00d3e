#pragma once

#include <string>

#include "model/form1.h"

namespace kalmar {

// "Читать из файла": asks for a HEX file and loads it into the buffer.
void Button14Click(TForm1& form);
// Loads a file already chosen (the command line's way in); the same steps
// after the dialog. True when the load was good.
bool loadHexFile(TForm1& form, const std::string& path);
// The same for a file's contents already in memory (tests, fuzzing).
bool loadHexBytes(TForm1& form, const std::string& path, const std::string& bytes);

// A long path for the caption box: "\ .. " and its last 21 characters.
std::string shortenedPath(const std::string& path);

}  // namespace kalmar
