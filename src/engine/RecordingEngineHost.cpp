#include "RecordingEngineHost.h"

#include "AppState.h"

namespace engine {

void RecordingEngineHost::setProgressMax(float max)
{
    m_max = max;
    if (m_value > m_max)
        m_value = m_max;
}

void RecordingEngineHost::setProgressValue(float value)
{
    if (value < 0 || value > m_max)
        return;
    m_value = value;
}

void RecordingEngineHost::yield()
{
    ++yields;
    if (onYield)
        onYield();
}

bool RecordingEngineHost::stopRequested() const
{
    return m_state ? m_state->StopFlag : m_stop;
}

void RecordingEngineHost::setStopRequested(bool on)
{
    if (m_state)
        m_state->StopFlag = on;
    else
        m_stop = on;
}

int RecordingEngineHost::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    messages.push_back({prompt, buttons, title});
    return answer;
}

} // namespace engine
