#pragma once
/**
 * An EngineHost for tests and batch runs: it records captions, progress and message boxes,
 * behaves like the progress bar (a value above the maximum is refused), and can run a hook on
 * every yield (a test sets the stop request from there).
 */
#include "EngineHost.h"

#include <QStringList>
#include <functional>
#include <vector>

struct AppState;

namespace engine {

class RecordingEngineHost : public EngineHost {
public:
    /** With `state`, the stop request is its `StopFlag`; without, the host keeps its own. */
    explicit RecordingEngineHost(AppState *state = nullptr) : m_state(state) {}

    void setStatus(const QString &caption) override { captions.append(caption); }
    void setProgressMax(float max) override;
    void setProgressValue(float value) override;
    float progressValue() const override { return m_value; }
    float progressMax() const { return m_max; }
    void yield() override;
    bool stopRequested() const override;
    void setStopRequested(bool on) override;
    int MsgBox(const QString &prompt, int buttons, const QString &title) override;

    struct Message {
        QString prompt;
        int buttons;
        QString title;
    };

    QStringList captions;            ///< every caption set, in order
    std::vector<Message> messages;   ///< every message box shown
    int yields = 0;                  ///< number of yields
    std::function<void()> onYield;   ///< run on every yield
    int answer = 1;                  ///< what MsgBox answers (OK)

private:
    AppState *m_state;
    bool m_stop = false;
    float m_max = 100;
    float m_value = 0;
};

} // namespace engine
