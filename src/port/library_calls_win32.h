#pragma once

#include <windows.h>

#include <filesystem>

namespace kalmar {

// A library's call by name; the cast goes through void(*)(), which any
// function pointer type may take.
template <typename Call>
Call procedure(HMODULE library, const char* name) {
  return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// The folder of the running program; empty when the system cannot say.
std::filesystem::path programDirectory();

}  // namespace kalmar
