#include "AttributeChange.h"

#include <gtest/gtest.h>

using namespace mainwin;

TEST(AttributeValue, NormalOverridesEveryOtherBox)
{
    struct Case {
        std::array<bool, 6> ticked;
        int16_t value;
    };
    const Case cases[] = {
        {{false, false, false, false, false, false}, 0},
        {{false, true, false, false, false, false}, 1},
        {{false, true, true, false, false, false}, 3},
        {{false, false, false, true, true, true}, 52},
        {{false, true, true, true, true, true}, 55},
        {{true, false, false, false, false, false}, 0},
        {{true, true, true, true, true, true}, 0},
        {{true, true, false, false, false, false}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(AttributeValue(c.ticked), c.value);
    }
}
