// The typed edit and the mouse: text dropped from other windows (the drop caret, the type's
// rules, line breaks), the focus border and transparent pictures, auto focus, the enter and
// leave events and the large-text hint.
#include "NuvEditFixture.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QEnterEvent>
#include <QMimeData>
#include <QToolTip>

namespace {

using ET = TNuvEditType;

class NuvEditMouse : public NuvEditFixture
{
protected:
    // Sends a drag of text over the edit to x and drops it there; returns whether the drop
    // was accepted.
    bool dropAt(const QString& text, int x, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMimeData data;
        data.setText(text);
        const QPointF p(x, edit->height() / 2);
        QDragEnterEvent enterEvent(p.toPoint(), Qt::CopyAction | Qt::MoveAction, &data,
                                   Qt::LeftButton, mods);
        QApplication::sendEvent(edit, &enterEvent);
        QDragMoveEvent move(p.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                            mods);
        QApplication::sendEvent(edit, &move);
        caretWhileOver = edit->DropCaretPos();
        QDropEvent drop(p, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, mods);
        QApplication::sendEvent(edit, &drop);
        return drop.isAccepted();
    }
    int caretWhileOver = -1;
};

TEST_F(NuvEditMouse, DroppedTextFollowsTheTypeRules)
{
    m_window->show();
    edit->SetOleDropTarget(true);
    edit->SetText(QStringLiteral("abc"));
    // Far right: after the last character.
    EXPECT_TRUE(dropAt(QStringLiteral("XY\r\nsecond line"), 110));
    EXPECT_EQ(caretWhileOver, 3);
    EXPECT_EQ(edit->DropCaretPos(), -1) << "the caret line goes with the drop";
    EXPECT_EQ(edit->Text(), QStringLiteral("abcXY"));
    EXPECT_TRUE(edit->IsValueModified());

    EXPECT_TRUE(dropAt(QStringLiteral("<"), 0));
    EXPECT_EQ(edit->Text(), QStringLiteral("<abcXY"));

    edit->SetEditType(ET::etNumeric);
    edit->SetText(QStringLiteral("12"));
    EXPECT_FALSE(dropAt(QStringLiteral("ab"), 110));
    EXPECT_EQ(edit->Text(), QStringLiteral("12"));
    EXPECT_TRUE(dropAt(QStringLiteral("3"), 110));
    EXPECT_EQ(edit->Text(), QStringLiteral("123"));

    edit->SetOleDropTarget(false);
    EXPECT_FALSE(dropAt(QStringLiteral("4"), 110));
    EXPECT_EQ(edit->Text(), QStringLiteral("123"));
}

TEST_F(NuvEditMouse, DropCaretStaysInTheValue)
{
    m_window->show();
    edit->SetOleDropTarget(true);
    edit->SetPrefix(QStringLiteral("$$$"));
    edit->SetSuffix(QStringLiteral("%%%"));
    edit->SetText(QStringLiteral("v"));
    EXPECT_TRUE(dropAt(QStringLiteral("x"), 0));
    EXPECT_EQ(caretWhileOver, 3);
    EXPECT_EQ(edit->QLineEdit::text(), QStringLiteral("$$$xv%%%"));
    EXPECT_TRUE(dropAt(QStringLiteral("y"), 115));
    EXPECT_EQ(edit->QLineEdit::text(), QStringLiteral("$$$xvy%%%"));
}

TEST_F(NuvEditMouse, ReleaseInsideTheSelectionPlacesTheCaret)
{
    m_window->show();
    edit->SetOleDropSource(true);
    edit->SetText(QStringLiteral("abcdefgh"));
    enter();
    edit->selectAll();
    // The caret stands after the text: a point some characters back is inside it.
    int x = 1;
    while (x < edit->width() && edit->cursorPositionAt(QPoint(x, 10)) < 4)
        ++x;
    const QPoint inside(x, 10);
    const int at = edit->cursorPositionAt(inside);
    ASSERT_EQ(at, 4);
    QTest::mousePress(edit, Qt::LeftButton, {}, inside);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("abcdefgh")) << "a press may start a drag";
    QTest::mouseRelease(edit, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), at);
}

TEST_F(NuvEditMouse, DragFromTheSelectionMovesOrCopies)
{
    m_window->show();
    edit->SetOleDropSource(true);
    edit->SetPrefix(QStringLiteral("$"));
    edit->SetText(QStringLiteral("abcdef"));
    struct Case
    {
        Qt::DropAction ended;
        const char* left;
    } cases[] = {
        {Qt::MoveAction, "$def"},
        {Qt::CopyAction, "$abcdef"},
        {Qt::IgnoreAction, "$abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.ended));
        edit->SetText(QStringLiteral("abcdef"));
        enter();
        edit->setSelection(0, 4); // "$abc": the prefix does not travel
        QString carried;
        edit->RunTextDrag = [&](QDrag& drag) {
            carried = drag.mimeData()->text();
            return c.ended;
        };
        int x = 1;
        while (x < edit->width() && edit->cursorPositionAt(QPoint(x, 10)) < 2)
            ++x;
        const QPoint from(x, 10);
        ASSERT_EQ(edit->cursorPositionAt(from), 2);
        QTest::mousePress(edit, Qt::LeftButton, {}, from);
        QTest::mouseMove(edit, from + QPoint(30, 0));
        EXPECT_EQ(carried, QStringLiteral("abc"));
        EXPECT_EQ(shown(), QString::fromUtf8(c.left));
        EXPECT_EQ(edit->IsValueModified(), c.ended == Qt::MoveAction);
        QTest::mouseRelease(edit, Qt::LeftButton, {}, from + QPoint(30, 0));
        leave();
    }
}

TEST_F(NuvEditMouse, FocusBorderPicture)
{
    m_window->setPalette(QPalette(QColor(0, 128, 0)));
    edit->SetFocusBorder(true);
    QImage img(edit->size(), QImage::Format_RGB32);
    edit->render(&img);
    EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), clGreen) << "framed in the parent's colour";
    enter();
    edit->render(&img);
    EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), ColorToRGB(clBtnFace));
    EXPECT_EQ(FromQColor(img.pixelColor(1, 1)), ColorToRGB(clBtnShadow)) << "sunken";
}

TEST_F(NuvEditMouse, TransparentShowsTheParent)
{
    m_window->setPalette(QPalette(QColor(0, 128, 0)));
    m_window->setAutoFillBackground(true);
    edit->SetTransparent(true);
    QImage img(m_window->size(), QImage::Format_RGB32);
    m_window->render(&img);
    const QPoint inside = edit->geometry().center() + QPoint(40, 0);
    EXPECT_EQ(FromQColor(img.pixelColor(inside)), clGreen);
    edit->SetTransparent(false);
    m_window->render(&img);
    EXPECT_EQ(FromQColor(img.pixelColor(inside)), ColorToRGB(clWindow));
}

TEST_F(NuvEditMouse, EnterLeaveAndAutoFocus)
{
    auto* other = new QLineEdit(m_window.get());
    other->setGeometry(10, 10, 50, 21);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    other->setFocus();
    QCoreApplication::processEvents();
    int enters = 0;
    int leaves = 0;
    edit->OnMouseEnter = [&](QWidget&) { ++enters; };
    edit->OnMouseLeave = [&](QWidget&) { ++leaves; };
    edit->SetAutoFocus(true);
    QEnterEvent in(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(edit, &in);
    EXPECT_EQ(enters, 1);
    EXPECT_TRUE(edit->Hovered());
    if (other->hasFocus() || edit->hasFocus()) {
        EXPECT_TRUE(edit->hasFocus()) << "auto focus";
    }
    QEvent out(QEvent::Leave);
    QApplication::sendEvent(edit, &out);
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(edit->Hovered());
}

TEST_F(NuvEditMouse, LargeTextHint)
{
    m_window->show();
    edit->SetHintShowLargeText(true);
    edit->SetText(QString(80, u'w'));
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit, &help);
    EXPECT_TRUE(help.isAccepted());
    EXPECT_EQ(QToolTip::text(), QString(80, u'w'));
    QToolTip::hideText();
}

} // namespace
