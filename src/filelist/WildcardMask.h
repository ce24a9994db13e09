#pragma once
/**
 * A file mask in the classic directory-search syntax, matched without regard to case.
 * "*" and "*.*" take every name. Otherwise "?" takes one character (none before a "." or at the
 * end of the name), "*" any run, "*" before a "." any run up to the name's last ".", and a "."
 * before "?", "*" or the end of the mask also matches the end of a name without extension
 * (so "*." takes names without a dot and "*.txt" takes "a.txt" but not "a.txt2").
 */
#include <QString>
#include <vector>

namespace filelist {

class WildcardMask {
public:
    explicit WildcardMask(const QString &mask);

    bool matches(const QString &name) const;
    bool matchesAll() const { return m_all; }

private:
    enum Kind : char { Literal, Star, DosStar, DosQm, DosDot };
    struct Token {
        Kind kind;
        char32_t ch;
    };

    std::vector<Token> m_tokens;
    bool m_all = false;
    mutable std::vector<char> m_states;
    mutable std::vector<char> m_next;
};

} // namespace filelist
