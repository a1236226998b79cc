// The edit with a button: button bounds in every look, minimum height, F4 and Ctrl+Enter,
// clicks that raise OnClickBtn and focus the edit, the locked editor, the flat look's
// focused button, and the speed button's plain, flat, etched and themed pictures.
#include "comp/NuvEdBtn/NuvEdBtn.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Themes.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class NuvEdBtnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedClipboard = QGuiApplication::clipboard()->text();
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 200);
        edit = new TNuvEditBtn(m_window.get());
        edit->setGeometry(10, 10, 100, 21);
        // Layout follows resizes, which reach a widget once it is shown.
        m_window->show();
    }
    void TearDown() override
    {
        m_window.reset();
        QGuiApplication::clipboard()->setText(m_savedClipboard);
    }
    QImage picture(QWidget& w)
    {
        QImage img(w.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        w.render(&img);
        return img;
    }

    std::unique_ptr<QWidget> m_window;
    TNuvEditBtn* edit = nullptr; // owned by the window
    QString m_savedClipboard;
};

TEST_F(NuvEdBtnTest, ButtonBoundsInEveryLook)
{
    edit->SetButtonWidth(20);
    // Bordered, not flat, 100 x 21: the figures count the edit's own width and height and
    // land in the client area inside the 2-pixel border.
    EXPECT_EQ(edit->ButtonBounds(), (TRect{76, 0, 96, 16}));
    EXPECT_EQ(edit->EditButton().geometry(), QRect(78, 2, 20, 16)) << "inside the border";
    EXPECT_EQ(edit->EditButton().width(), 20);
    edit->resize(104, 25);
    EXPECT_EQ(edit->ButtonBounds(), (TRect{80, 0, 100, 20}));

    edit->SetFlat(true); // no border: client 104 x 25
    EXPECT_EQ(edit->ButtonBounds(), (TRect{104 - 20 - 3, 2, 104 - 3, 2 + 25 - 3 - 1}));
    EXPECT_EQ(edit->EditButton().geometry(), QRect(81, 2, 20, 21));
    edit->SetFlat(false);

    edit->SetCtl3D(false);
    EXPECT_EQ(edit->ButtonBounds(), (TRect{104 - 20 - 2, 1, 102, 1 + 25 - 3}));
    const QRect child = edit->EditButton().geometry();
    EXPECT_LE(child.right(), edit->width() - 2) << "clear of the outer border line";
    EXPECT_LE(child.bottom(), edit->height() - 2);
}

TEST_F(NuvEdBtnTest, TextAreaLeavesRoomForTheButton)
{
    EXPECT_EQ(edit->textMargins().right(), 16 + 4);
    edit->SetButtonWidth(30);
    EXPECT_EQ(edit->textMargins().right(), 30 + 4);
}

TEST_F(NuvEdBtnTest, MinimumHeight)
{
    const int own = QFontMetrics(edit->font()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    EXPECT_EQ(edit->MinimumHeight(), own + std::min(own, system) / 4);
    edit->resize(100, 10);
    EXPECT_EQ(edit->height(), edit->MinimumHeight());
    edit->Font().SetSize(20);
    EXPECT_EQ(edit->height(), edit->MinimumHeight()) << "a larger font grows the edit";
    edit->resize(100, 80);
    EXPECT_EQ(edit->height(), 80) << "taller is kept";
}

TEST_F(NuvEdBtnTest, F4RaisesOnClickBtnAltF4DoesNot)
{
    int clicks = 0;
    edit->OnClickBtn = [&](QWidget& sender) {
        EXPECT_EQ(&sender, edit);
        ++clicks;
    };
    QTest::keyClick(edit, Qt::Key_F4);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(edit, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(edit, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
}

TEST_F(NuvEdBtnTest, CtrlEnterPostsUp)
{
    struct UpCounter : QObject
    {
        int ups = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Up)
                ++ups;
            return false;
        }
    } counter;
    edit->installEventFilter(&counter);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.ups, 1);
    edit->removeEventFilter(&counter);
}

TEST_F(NuvEdBtnTest, ClickOnTheButtonRaisesAndFocuses)
{
    auto* other = new QLineEdit(m_window.get());
    other->setGeometry(10, 60, 80, 21);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    other->setFocus();
    QCoreApplication::processEvents();
    int clicks = 0;
    edit->OnClickBtn = [&](QWidget&) { ++clicks; };
    QTest::mouseClick(&edit->EditButton().Button(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(clicks, 1);
    if (!other->hasFocus() && !edit->hasFocus())
        GTEST_SKIP() << "the platform gives no focus to the test window";
    EXPECT_TRUE(edit->hasFocus());
    // A press that ends outside the button is no click.
    QTest::mousePress(&edit->EditButton().Button(), Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(&edit->EditButton().Button(), Qt::LeftButton, {}, QPoint(40, 4));
    EXPECT_EQ(clicks, 1);
}

TEST_F(NuvEdBtnTest, LockedEditorIgnoresPasteAndCut)
{
    edit->SetText(QStringLiteral("value"));
    edit->SetEditorEnabled(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("value"));
    QTest::keyClick(edit, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("value"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("pasted"));
    edit->SetEditorEnabled(true);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("pasted"));
}

TEST_F(NuvEdBtnTest, ButtonHintAndFocusControl)
{
    EXPECT_TRUE(edit->EditButton().Button().toolTip().isEmpty());
    edit->SetButtonHint(QStringLiteral("Pick"));
    EXPECT_EQ(edit->EditButton().Button().toolTip(), QStringLiteral("Pick"));
    EXPECT_EQ(edit->EditButton().FocusControl(), edit);

    TEditButton standalone;
    standalone.show();
    {
        auto target = std::make_unique<QLineEdit>();
        standalone.SetFocusControl(target.get());
    }
    EXPECT_EQ(standalone.FocusControl(), nullptr) << "cleared when the control is freed";
    EXPECT_EQ(standalone.size(), QSize(16, 25));
    standalone.resize(40, 25);
    EXPECT_EQ(standalone.width(), 16) << "the width is the button's";
}

TEST_F(NuvEdBtnTest, FlatButtonFollowsHoverAndFocus)
{
    edit->SetFlat(true);
    EXPECT_TRUE(edit->EditButton().Button().Flat());
    EXPECT_FALSE(edit->EditButton().Button().Focused());
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &in);
    EXPECT_TRUE(edit->EditButton().Button().Focused());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    EXPECT_FALSE(edit->EditButton().Button().Focused());
    edit->SetEtched(true);
    EXPECT_TRUE(edit->EditButton().Button().Etched());
}

TEST_F(NuvEdBtnTest, SpeedButtonPictures)
{
    TNuvSpeedButton button;
    button.resize(16, 18);
    const QImage plain = picture(button);
    EXPECT_EQ(FromQColor(plain.pixelColor(8, 9)), ColorToRGB(clBtnFace));
    EXPECT_EQ(FromQColor(plain.pixelColor(15, 17)), ColorToRGB(cl3DDkShadow)) << "raised edge";

    button.SetFlat(true);
    const QImage raised = picture(button);
    button.SetEtched(true);
    const QImage etched = picture(button);
    EXPECT_NE(raised, etched);

    TBitmap glyph(6, 4);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(TRect{0, 0, 6, 4});
    glyph.Canvas().Brush().SetColor(clBlack);
    glyph.Canvas().FillRect(TRect{2, 1, 4, 3});
    button.SetGlyph(glyph);
    const QImage withGlyph = picture(button);
    int black = 0;
    int fuchsia = 0;
    for (int y = 0; y < withGlyph.height(); ++y)
        for (int x = 0; x < withGlyph.width(); ++x) {
            const TColor c = FromQColor(withGlyph.pixelColor(x, y));
            black += c == clBlack;
            fuchsia += c == clFuchsia;
        }
    EXPECT_EQ(black, 4);
    EXPECT_EQ(fuchsia, 0) << "the glyph's background shows the button face";

    SetUseVisualStyles(true);
    const bool themed = UseVisualStyles();
    const QImage styled = picture(button);
    SetUseVisualStyles(false);
    if (themed) {
        EXPECT_NE(styled, withGlyph);
    }
}

} // namespace
