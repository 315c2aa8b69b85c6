// Fades a cut-off effect out over a few milliseconds instead of stopping it mid-wave.
#pragma once

#include <atomic>
#include <cstdint>

// One per mixer channel. The user-interface thread asks for a cut; the audio thread applies
// the ramp to the channel's samples as they are mixed, then keeps the channel silent until
// it is halted or plays its next effect.
class CutRamp {
public:
    explicit CutRamp(int rampFrames = 0) : m_rampFrames(rampFrames < 1 ? 1 : rampFrames) {}

    // A new effect starts on the channel: its samples pass unchanged.
    void restart();
    void cut() { m_cutRequested.store(true); }
    bool isCut() const { return m_cutRequested.load(); }
    // The ramp has reached zero: the channel can be halted without a click.
    bool isSilent() const { return m_silent.load(); }

    // Audio thread: interleaved 16-bit frames of `channels` samples each, changed in place.
    void apply(std::int16_t* samples, int frames, int channels);

private:
    int m_rampFrames;
    int m_framesDone = 0; // of the ramp, since the cut was asked for
    std::atomic<bool> m_cutRequested{false};
    std::atomic<bool> m_silent{false};
};
