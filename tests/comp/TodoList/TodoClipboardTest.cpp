// The "TTodo Item" payload: a round trip of every stored property through the clipboard,
// and payloads that are foreign, cut short or damaged anywhere, which are refused whole.
#include "comp/TodoList/TodoClipboard.h"

#include "comp/TodoList/TodoList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The payload's frame: signature (8), version (2), body length (4), body, FNV-1a of the
// body (4, big-endian as the stream writes it).
QByteArray resigned(QByteArray payload)
{
    constexpr int head = 14;
    const QByteArray body = payload.mid(head, payload.size() - head - 4);
    quint32 h = 2166136261u;
    for (char c : body) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    for (int i = 0; i < 4; ++i)
        payload[payload.size() - 4 + i] = char(h >> (24 - 8 * i));
    return payload;
}

void fill(TTodoItem& item)
{
    item.SetSubject(QStringLiteral("Pay the \u20ac bill"));
    item.SetNotes(TStringList{QStringLiteral("line one"), QString(), QStringLiteral("3")});
    item.SetImageIndex(2);
    item.SetTag(-4);
    item.SetTotalTime(1.25);
    item.SetCompletion(64);
    item.SetDueDate(46000.5);
    item.SetPriority(TTodoPriority::tpHigh);
    item.SetStatus(TTodoStatus::tsInProgress);
    item.SetCreationDate(45999.25);
    item.SetCompletionDate(46001);
    item.SetResource(QStringLiteral("Ann"));
    item.SetProject(QStringLiteral("House"));
    item.SetCategory(QStringLiteral("Money"));
    item.SetDBKey(QStringLiteral("{KEY}"));
}

void expectSame(const TTodoItem& a, const TTodoItem& b)
{
    EXPECT_EQ(a.Subject(), b.Subject());
    EXPECT_EQ(a.Notes(), b.Notes());
    EXPECT_EQ(a.ImageIndex(), b.ImageIndex());
    EXPECT_EQ(a.Tag(), b.Tag());
    EXPECT_EQ(a.TotalTime(), b.TotalTime());
    EXPECT_EQ(a.Completion(), b.Completion());
    EXPECT_EQ(a.DueDate(), b.DueDate());
    EXPECT_EQ(a.Priority(), b.Priority());
    EXPECT_EQ(a.Status(), b.Status());
    EXPECT_EQ(a.Complete(), b.Complete());
    EXPECT_EQ(a.CreationDate(), b.CreationDate());
    EXPECT_EQ(a.CompletionDate(), b.CompletionDate());
    EXPECT_EQ(a.Resource(), b.Resource());
    EXPECT_EQ(a.Project(), b.Project());
    EXPECT_EQ(a.Category(), b.Category());
}

TEST(TodoClipboardTest, CopyAndPasteRoundTripThroughTheClipboard)
{
    TCustomTodoList list;
    fill(list.Items().Add());
    list.Items().Add();
    list.SetItemIndex(0);
    list.CopyToClipboard();
    EXPECT_EQ(list.Items().Count(), 2); // the copy leaves no item behind
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(TodoItemClipboardFormat));
    list.PasteFromClipboard();
    ASSERT_EQ(list.Items().Count(), 3);
    expectSame(list.Items()[2], list.Items()[0]);
    EXPECT_TRUE(list.Items()[2].DBKey().isEmpty());

    list.SetItemIndex(2);
    list.CutToClipboard();
    EXPECT_EQ(list.Items().Count(), 2);
    // Nothing selected: copy and cut do nothing.
    list.SetItemIndex(-1);
    list.CutToClipboard();
    EXPECT_EQ(list.Items().Count(), 2);
}

TEST(TodoClipboardTest, ClipboardKeysOfTheList)
{
    TCustomTodoList list;
    list.Items().Add().SetSubject(QStringLiteral("copied"));
    list.SetItemIndex(0);
    QTest::keyClick(&list.List(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&list.List(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(list.Items().Count(), 2);
    EXPECT_EQ(list.Items()[1].Subject(), QStringLiteral("copied"));
    QTest::keyClick(&list.List(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(list.Items().Count(), 1);
}

TEST(TodoClipboardTest, ForeignOrDamagedPayloadsAreRefusedWithoutChange)
{
    TTodoItemCollection items;
    TTodoItem& source = items.Add();
    fill(source);
    const QByteArray good = TodoItemPayload(source);
    TTodoItem& target = items.Add();
    target.SetSubject(QStringLiteral("untouched"));
    ASSERT_TRUE(IsTodoItemPayload(good));

    // Every truncation, and a flipped bit in every byte.
    for (int n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(ReadTodoItemPayload(good.left(n), target));
        QByteArray damaged = good;
        damaged[n] = char(damaged[n] ^ 0x10);
        EXPECT_FALSE(ReadTodoItemPayload(damaged, target));
    }
    EXPECT_FALSE(ReadTodoItemPayload(good + QByteArray("x"), target));
    EXPECT_FALSE(ReadTodoItemPayload(QByteArray("plain text, not ours"), target));
    EXPECT_EQ(target.Subject(), QStringLiteral("untouched"));

    // A damaged payload on the clipboard pastes nothing.
    auto* data = new QMimeData;
    data->setData(TodoItemClipboardFormat, good.left(good.size() - 3));
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_EQ(PasteTodoItemFromClipboard(items), nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("only text"));
    EXPECT_EQ(PasteTodoItemFromClipboard(items), nullptr);
    EXPECT_EQ(items.Count(), 2);
}

TEST(TodoClipboardTest, ValuesOutOfRangeAreRefusedEvenUnderAValidChecksum)
{
    // An item without notes or texts puts its one-byte values at fixed places of the body:
    // completion at 24, priority at 33, status at 34, complete at 35.
    TTodoItemCollection items;
    TTodoItem& source = items.Add();
    const QByteArray plain = TodoItemPayload(source);
    ASSERT_EQ(plain.size(), 14 + 64 + 4);
    TTodoItem& target = items.Add();
    struct ByteCase
    {
        int offset;
        char value;
        bool accepted;
    };
    const ByteCase cases[] = {
        {24, 100, true}, {24, 101, false}, {33, 4, true}, {33, 5, false},
        {34, 3, true},   {34, 4, false},   {35, 1, true}, {35, 2, false},
    };
    for (const ByteCase& c : cases) {
        SCOPED_TRACE(c.offset * 1000 + c.value);
        QByteArray payload = plain;
        payload[14 + c.offset] = c.value;
        EXPECT_EQ(ReadTodoItemPayload(resigned(payload), target), c.accepted);
    }
    // The refused payloads left nothing behind: the item is the last accepted one.
    EXPECT_EQ(target.Completion(), 0);
    EXPECT_EQ(target.Status(), TTodoStatus::tsNotStarted);
    EXPECT_TRUE(target.Complete());
}

} // namespace
