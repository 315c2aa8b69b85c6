// Finds the game's own modules (sound, news), loaded when first needed rather than with the
// program, so that their large libraries cost nothing until then.
#pragma once

#include <QString>

// The function `symbol` of the module `name` (without ".so"), from the program's own folder
// (a build or an unpacked copy), else from where an install puts the game's modules. Null when
// the module is missing or damaged; `why` then says what went wrong. The module stays loaded.
void* moduleFunction(const char* name, const char* symbol, QString& why);
