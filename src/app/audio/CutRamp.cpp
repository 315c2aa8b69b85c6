// The linear fade of a cut effect.
#include "CutRamp.h"

void CutRamp::restart() {
    m_framesDone = 0;
    m_cutRequested.store(false);
    m_silent.store(false);
}

void CutRamp::apply(std::int16_t* samples, int frames, int channels) {
    if (!m_cutRequested.load())
        return;
    for (int frame = 0; frame < frames; ++frame) {
        const int left = m_rampFrames - m_framesDone;
        const double gain = left > 0 ? static_cast<double>(left - 1) / m_rampFrames : 0.0;
        if (left > 0)
            ++m_framesDone;
        for (int channel = 0; channel < channels; ++channel) {
            std::int16_t& sample = samples[frame * channels + channel];
            sample = static_cast<std::int16_t>(sample * gain);
        }
    }
    if (m_framesDone >= m_rampFrames)
        m_silent.store(true);
}
