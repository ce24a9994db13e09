// The ID3 genre numbers and names.
#include "GenreList.h"

#include <gtest/gtest.h>

using metadata::GenreName;
using metadata::ToGenreID;

TEST(GenreList, NamesByNumber)
{
    const std::pair<int, const char *> cases[] = {
        {-2, "Cover"}, {-1, "Remix"}, {0, "Blues"}, {12, "Other"}, {78, "Rock & Roll"},
        {79, "Hard Rock"}, {80, "Folk"}, {133, "Negerpunk"}, {147, "Synthpop"}, {255, "Unknown"},
        {148, ""}, {254, ""}, {-3, ""}, {256, ""},
    };
    for (const auto &[id, name] : cases) {
        SCOPED_TRACE(id);
        EXPECT_EQ(GenreName(id), QString::fromLatin1(name));
    }
}

TEST(GenreList, EveryNamedNumberFindsItself)
{
    for (const metadata::GenreEntry &g : metadata::Genres) {
        SCOPED_TRACE(g.id);
        EXPECT_EQ(ToGenreID(GenreName(g.id)), g.id);
    }
}

TEST(GenreList, TextsCompareInTheirNormalForm)
{
    const std::pair<const char *, int> cases[] = {
        {"Rock and Roll", 78}, {"rock&roll", 78}, {"Rock And Roll", 12}, {"Hip Hop", 7},
        {"Jazz Funk", 29}, {"Pop Funk", 62}, {"Drum and Bass", 127}, {"ROCK", 17},
        {"", 255}, {"   ", 255}, {"Unknown", 255}, {"Polka Dots", 12}, {"Cover", -2},
        {"Remix", -1}, {"trip hop", 27},
    };
    for (const auto &[text, id] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ToGenreID(QString::fromLatin1(text)), id);
    }
}
