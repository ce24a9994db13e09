#include "Counters.h"

#include "CodePoints.h"
#include "VbConvert.h"

namespace engine {

namespace {

constexpr int UpperLimit = 90;  // "Z"
constexpr int LowerLimit = 122; // "z"

// `count` copies of the first character of `padText`. An empty pad text pads with nothing.
QString padding(int count, const QString &padText)
{
    return chars::String(count, chars::First(padText));
}

} // namespace

bool IsAllCapitals(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')))
            return false;
    }
    return true;
}

void resetCounter(const CounterSettings &settings, CounterState &state)
{
    const vb::Converted<int16_t> start = vb::CInt(settings.CounterStart);
    if (start.ok())
        state.CounterValue = start.value();

    QString letters = settings.AlphaStart;
    if (!IsAllCapitals(letters))
        letters = QString(chars::Len(letters), u'A');
    if (settings.AlphaCase == AlphaCaseOption::Lowercase) {
        state.AlphaCounterLimit = LowerLimit;
        state.AlphaCounterValue = vb::LCase(letters);
    } else {
        state.AlphaCounterLimit = UpperLimit;
        state.AlphaCounterValue = vb::UCase(letters);
    }
}

QString nextCounterValue(const CounterSettings &settings, CounterState &state)
{
    const int32_t n = state.CounterValue;
    const QString digits = QString::number(n);
    const int width = vb::CInt(settings.CounterPadWidth).value();
    const QString value = settings.CounterPrefix
                          + padding(width - chars::Len(digits), settings.CounterPadChar) + digits
                          + settings.CounterSuffix;
    const int64_t next = int64_t(n) + vb::CInt(settings.CounterStep).value();
    if (next < INT32_MIN || next > INT32_MAX)
        throw vb::Error(vb::Overflow);
    state.CounterValue = int32_t(next);
    return value;
}

QString nextAlphaCounterValue(const CounterSettings &settings, CounterState &state)
{
    const QString letters = state.AlphaCounterValue;
    const int width = vb::CInt(settings.AlphaPadWidth).value();
    const QString value = settings.AlphaPrefix
                          + padding(width - chars::Len(letters), settings.AlphaPadChar) + letters
                          + settings.AlphaSuffix;
    const int steps = vb::CInt(settings.AlphaStep).value();
    state.AlphaCounterValue = NextAlphaCounter(letters, state.AlphaCounterLimit, steps);
    return value;
}

QString NextAlphaCounter(const QString &text, int limit, int steps)
{
    const QChar first = limit == UpperLimit ? u'A' : u'a';
    QString out = text;
    for (int step = 0; step < steps; ++step) {
        qsizetype i = out.size();
        while (true) {
            if (i == 0) {
                out.prepend(first);
                break;
            }
            if (out[i - 1].unicode() >= limit) {
                out[i - 1] = first;
                --i;
                continue;
            }
            out[i - 1] = QChar(char16_t(out[i - 1].unicode() + 1));
            break;
        }
    }
    return out;
}

} // namespace engine
