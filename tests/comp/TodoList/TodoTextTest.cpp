// Status and priority texts in both directions, comma texts, and the value texts of dates,
// total time and completion, against tables.
#include "comp/TodoList/TodoText.h"

#include "comp/TodoList/TodoList.h"
#include "platform/core/DateTime.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(TodoTextTest, StatusFromTextIgnoresCaseAndNamesTheLoweredTextWhenUnknown)
{
    TStatusStrings strings;
    QString lowered;
    EXPECT_EQ(StatusFromText(strings, QStringLiteral("IN PROGRESS"), lowered),
              TTodoStatus::tsInProgress);
    EXPECT_EQ(lowered, QStringLiteral("in progress"));
    EXPECT_EQ(StatusFromText(strings, QStringLiteral("completed"), lowered),
              TTodoStatus::tsCompleted);
    try {
        StatusFromText(strings, QStringLiteral("Done"), lowered);
        FAIL() << "no exception";
    } catch (const EConversionFunctionException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TodoStatusFromString error. The parameter "
                                              "\"done\" is not a valid status string."));
    }
    TPriorityStrings priorities;
    try {
        PriorityFromText(priorities, QStringLiteral("URGENT"), lowered);
        FAIL() << "no exception";
    } catch (const EConversionFunctionException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TodoPriorityFromString error. The parameter "
                                              "\"urgent\" is not a valid priority string."));
    }
}

TEST(TodoTextTest, TheLastMatchingPriorityWins)
{
    TPriorityStrings strings;
    strings.SetLowest(QStringLiteral("Low"));
    QString lowered;
    EXPECT_EQ(PriorityFromText(strings, QStringLiteral("low"), lowered), TTodoPriority::tpLow);
    EXPECT_EQ(PriorityFromText(strings, QStringLiteral("HIGHEST"), lowered),
              TTodoPriority::tpHighest);
}

TEST(TodoTextTest, CommaTextsQuoteWithoutEscaping)
{
    TStatusStrings statuses;
    EXPECT_EQ(StatusCommaText(statuses),
              QStringLiteral("\"Not started\",\"Completed\",\"In progress\",\"Deferred\""));
    TPriorityStrings priorities;
    priorities.SetHigh(QStringLiteral("Hi\"gh"));
    EXPECT_EQ(PriorityCommaText(priorities),
              QStringLiteral("\"Lowest\",\"Low\",\"Normal\",\"Hi\"gh\",\"Highest\""));
}

TEST(TodoTextTest, ValueTexts)
{
    const TDateTime day = EncodeDate(2026, 3, 7);
    struct DateCase
    {
        TDateTime value;
        const char* pattern;
        const char* nullDate;
        const char* expected;
    };
    const DateCase dates[] = {
        {0, "d/MM/yyyy", "None", "None"},
        {0, "d/MM/yyyy", "", "30/12/1899"},
        {day, "d/MM/yyyy", "None", "7/03/2026"},
        {day + 0.75, "mm/dd/yyyy", "None", "03/07/2026"},
    };
    for (const DateCase& c : dates) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(TodoDateText(c.value, QLatin1String(c.pattern), QLatin1String(c.nullDate)),
                  QLatin1String(c.expected));
    }
    EXPECT_EQ(TotalTimeText(2.5), QStringLiteral("2.5h"));
    EXPECT_EQ(TotalTimeText(0), QStringLiteral("0h"));
    EXPECT_EQ(TotalTimeText(1.0 / 3), QStringLiteral("0.333333333333333h"));

    TTodoItemCollection items;
    TTodoItem& item = items.Add();
    item.SetCompletion(35);
    EXPECT_EQ(CompletionText(item), QStringLiteral("35%"));
    item.SetComplete(true);
    EXPECT_EQ(CompletionText(item), QStringLiteral("100%"));
    EXPECT_EQ(NotesCellText(item), QString());
    item.Notes().SetText(QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(NotesCellText(item), QStringLiteral("first"));
}

TEST(TodoTextTest, ListConversionsGoThroughTheEvents)
{
    TCustomTodoList list;
    QString seen;
    list.OnStatusToString = [](QWidget&, TTodoStatus s, QString& text) {
        if (s == TTodoStatus::tsCompleted)
            text = QStringLiteral("Done");
    };
    list.OnStringToPriority = [&](QWidget&, const QString& text, TTodoPriority& p) {
        seen = text;
        p = TTodoPriority::tpNormal;
    };
    EXPECT_EQ(list.TodoStatusToString(TTodoStatus::tsCompleted), QStringLiteral("Done"));
    EXPECT_EQ(list.TodoStatusToString(TTodoStatus::tsDeferred), QStringLiteral("Deferred"));
    EXPECT_EQ(list.TodoPriorityFromString(QStringLiteral("HIGH")), TTodoPriority::tpNormal);
    EXPECT_EQ(seen, QStringLiteral("high"));
    seen.clear();
    EXPECT_THROW(list.TodoPriorityFromString(QStringLiteral("none")), EConversionFunctionException);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(list.GetVersionNr() >> 24, 1u);
    EXPECT_TRUE(list.GetVersionString().startsWith(QStringLiteral("1.0.0.1 ")));
}

} // namespace

namespace {

TEST(TodoTextTest, ValuesOutsideTheEnumerationsHaveNoTextAndPaintWithoutHarm)
{
    // A record from a damaged table can carry any number in its priority or status.
    TStatusStrings statuses;
    TPriorityStrings priorities;
    EXPECT_TRUE(statuses.Text(TTodoStatus(9)).isEmpty());
    EXPECT_TRUE(statuses.Text(TTodoStatus(-1)).isEmpty());
    EXPECT_TRUE(priorities.Text(TTodoPriority(5)).isEmpty());
    EXPECT_EQ(priorities.Text(TTodoPriority::tpHighest), QStringLiteral("Highest"));

    TCustomTodoList list;
    list.Columns()[1].SetTodoData(TTodoData::tdPriority);
    list.Columns()[2].SetTodoData(TTodoData::tdStatus);
    TTodoItem& item = list.Items().Add();
    item.SetPriority(TTodoPriority(77));
    item.SetStatus(TTodoStatus(1000));
    EXPECT_TRUE(list.TodoPriorityToString(item.Priority()).isEmpty());
    EXPECT_TRUE(list.TodoStatusToString(item.Status()).isEmpty());
    list.resize(300, 100);
    list.show();
    QImage image(list.List().size(), QImage::Format_RGB32);
    list.List().PaintTo(image);
    EXPECT_TRUE(list.List().CellHintText(0, 1).isEmpty());
    EXPECT_TRUE(list.List().CellHintText(0, 2).isEmpty());
}

} // namespace
