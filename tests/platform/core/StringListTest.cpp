// The string list: text and comma-text round trips, bounds, and change batching.
#include "platform/core/StringList.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

TEST(StringListTest, TextSplitsAtEveryKindOfLineBreak)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        // A final break ends the last line; it does not add an empty one.
        {"a\r\n", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Lines(), c.lines);
    }
}

TEST(StringListTest, TextEndsEveryLineWithALineBreak)
{
    TStringList list{"one", "two"};
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(back, list);
}

TEST(StringListTest, CommaTextQuotesOnlyWhatNeedsIt)
{
    TStringList list{"plain", "with space", "a,b", "say \"hi\"", ""};
    EXPECT_EQ(list.CommaText(), R"(plain,"with space","a,b","say ""hi""","")");

    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(back, list);
}

TEST(StringListTest, CommaTextReading)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {R"("Not started","Completed","In progress","Deferred")",
         {"Not started", "Completed", "In progress", "Deferred"}},
        // Unquoted blanks separate as commas do.
        {"a b,c", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"", {}},
        // An unterminated quote takes the rest of the text.
        {R"("open)", {"open"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TStringList list;
        list.SetCommaText(c.text);
        EXPECT_EQ(list.Lines(), c.lines);
    }
}

TEST(StringListTest, IndexOutsideTheListRaises)
{
    TStringList list{"a"};
    EXPECT_THROW(list[1], EListError);
    EXPECT_THROW(list[-1], EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.Insert(3, "x"), EListError);
    list.Insert(1, "b"); // inserting at the end is allowed
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf("B"), 1);
    EXPECT_EQ(list.IndexOf("c"), -1);
}

TEST(StringListTest, ChangesNotifyOnceAndBatchUntilTheLastEndUpdate)
{
    TStringList list;
    int calls = 0;
    list.OnChange = [&](TStringList&) { ++calls; };

    list.Add("a");
    EXPECT_EQ(calls, 1);
    list.Put(0, "a"); // same text: nothing changed
    EXPECT_EQ(calls, 1);

    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(calls, 1);
    list.EndUpdate();
    EXPECT_EQ(calls, 2);

    list.BeginUpdate();
    list.EndUpdate(); // nothing changed inside: no call
    EXPECT_EQ(calls, 2);

    TStringList other{"x"};
    list.Assign(other);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(list.Lines(), QStringList{"x"});
}

TEST(StringListTest, CopyDoesNotTakeTheHandler)
{
    TStringList list{"a"};
    int calls = 0;
    list.OnChange = [&](TStringList&) { ++calls; };
    TStringList copy(list);
    copy.Add("b");
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(list.Count(), 1);
}
