// Finds the sound module beside the program and makes its audio back end.
#pragma once

#include "AudioBackend.h"

#include <memory>

// Null when the module is missing or damaged: the game then plays silently, after one line
// on stderr.
std::unique_ptr<AudioBackend> loadAudioBackend();
