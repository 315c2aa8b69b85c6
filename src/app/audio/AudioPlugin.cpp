// The sound module: SDL2_mixer and its many codec libraries load only when the game opens
// its audio, after the first paint, instead of with the program.
#include "SdlAudioBackend.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT AudioBackend* quorvelCreateAudioBackend() {
    return new SdlAudioBackend;
}
