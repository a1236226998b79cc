// New record keys: braced, upper case, 38 characters, different every time.
#include "platform/core/Guid.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(GuidTest, NewGuidsHaveTheBracedUpperCaseFormAndDiffer)
{
    QSet<QString> seen;
    for (int i = 0; i < 100; ++i) {
        const QString g = NewGuidString();
        EXPECT_EQ(g.size(), 38);
        EXPECT_TRUE(IsGuidString(g)) << g.toStdString();
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 100);
}

TEST(GuidTest, RecognisesOnlyTheExactForm)
{
    EXPECT_TRUE(IsGuidString("{0F8FAD5B-D9CB-469F-A165-70867728950E}"));
    EXPECT_FALSE(IsGuidString("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
    EXPECT_FALSE(IsGuidString("0F8FAD5B-D9CB-469F-A165-70867728950E"));
    EXPECT_FALSE(IsGuidString("{0F8FAD5B-D9CB-469F-A165-70867728950}"));
    EXPECT_FALSE(IsGuidString(""));
}
