#include "WildcardMask.h"

#include <algorithm>

namespace filelist {

namespace {

char32_t fold(char32_t c)
{
    return QChar::toCaseFolded(c);
}

} // namespace

WildcardMask::WildcardMask(const QString &mask)
{
    if (mask == QLatin1String("*") || mask == QLatin1String("*.*")) {
        m_all = true;
        return;
    }
    const std::u32string chars = mask.toStdU32String();
    for (size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        const char32_t next = i + 1 < chars.size() ? chars[i + 1] : 0;
        if (c == U'?')
            m_tokens.push_back({DosQm, 0});
        else if (c == U'.' && (next == U'?' || next == U'*' || next == 0))
            m_tokens.push_back({DosDot, 0});
        else if (c == U'*' && next == U'.')
            m_tokens.push_back({DosStar, 0});
        else if (c == U'*')
            m_tokens.push_back({Star, 0});
        else
            m_tokens.push_back({Literal, fold(c)});
    }
}

bool WildcardMask::matches(const QString &name) const
{
    if (m_all)
        return true;
    const std::u32string text = name.toStdU32String();
    const size_t n = text.size();
    const size_t p = m_tokens.size();
    const size_t lastDot = text.rfind(U'.');

    // A set of mask positions, advanced one name character at a time.
    m_states.assign(p + 1, 0);
    m_next.assign(p + 1, 0);
    m_states[0] = 1;
    auto closure = [&](size_t at) {
        const bool finished = at == n;
        for (size_t i = 0; i < p; ++i) {
            if (!m_states[i])
                continue;
            const Kind k = m_tokens[i].kind;
            if (k == Star || k == DosStar || (k == DosQm && (finished || text[at] == U'.'))
                || (k == DosDot && finished))
                m_states[i + 1] = 1;
        }
    };
    for (size_t at = 0; at < n; ++at) {
        closure(at);
        std::fill(m_next.begin(), m_next.end(), 0);
        const char32_t c = text[at];
        const char32_t folded = fold(c);
        bool any = false;
        for (size_t i = 0; i < p; ++i) {
            if (!m_states[i])
                continue;
            const Token &t = m_tokens[i];
            size_t to = p + 1;
            switch (t.kind) {
            case Literal:
                if (t.ch == folded)
                    to = i + 1;
                break;
            case Star:
                to = i;
                break;
            case DosStar:
                if (c != U'.' || (lastDot != std::u32string::npos && lastDot > at))
                    to = i;
                break;
            case DosQm:
                if (c != U'.')
                    to = i + 1;
                break;
            case DosDot:
                if (c == U'.')
                    to = i + 1;
                break;
            }
            if (to <= p) {
                m_next[to] = 1;
                any = true;
            }
        }
        if (!any)
            return false;
        m_states.swap(m_next);
    }
    closure(n);
    return m_states[p] != 0;
}

} // namespace filelist
