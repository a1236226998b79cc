// The typed edit with the user: paste rules per type and the three clipboard events, focus
// entry, Escape and leaving, and the looks that follow them (focus, modified, error, link,
// disabled), the link click through an opener that opens nothing, and the attached label.
#include "NuvEditFixture.h"
#include "comp/NuvEdit/EditLabel.h"
#include "comp/NuvEdit/LinkOpener.h"
#include "support/CanvasImage.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

namespace {

using ET = TNuvEditType;

class NuvEditInteraction : public NuvEditFixture
{};

TEST_F(NuvEditInteraction, PasteRulesPerType)
{
    struct Case
    {
        ET type;
        int precision;
        bool isSigned;
        const char* before;
        const char* clip;
        const char* after;
    } cases[] = {
        {ET::etString, 0, false, "ab", "c\nd", "abc"},
        {ET::etAlphaNumeric, 0, false, "", "abc", "abc"},
        {ET::etAlphaNumeric, 0, false, "", "a-b", ""},
        {ET::etNumeric, 0, false, "1", "23", "123"},
        {ET::etNumeric, 0, false, "1", "2x", "1"},
        {ET::etNumeric, 0, false, "", "-5", ""},
        {ET::etNumeric, 0, true, "", "-5", "-5"},
        {ET::etNumeric, 0, true, "1", "-5", "1"},
        {ET::etFloat, 2, false, "", "1.5", "1.50"},
        {ET::etFloat, 0, false, "", "1.5", ""},
        {ET::etFloat, 0, false, "", "15", "15"},
        {ET::etMoney, 2, false, "", "1234", "1,234.00"},
        {ET::etMoney, 2, false, "", "12a", ""},
        {ET::etUppercase, 0, false, "A", "bc", "ABC"},
        {ET::etLowerCase, 0, false, "a", "BC", "abc"},
        {ET::etMixedCase, 0, false, "", "old mcdonald", "Old McDonald"},
        {ET::etRange, 0, false, "1", "-5", "1"},
        {ET::etHex, 0, false, "A", "B", "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.clip) + " into " + c.before);
        edit->SetPrecision(0);
        edit->SetEditType(c.type);
        edit->SetPrecision(c.precision);
        edit->SetSigned(c.isSigned);
        edit->SetValueText(QString::fromUtf8(c.before));
        edit->setCursorPosition(int(edit->Text().size()));
        paste(QString::fromUtf8(c.clip));
        EXPECT_EQ(edit->Text(), QString::fromUtf8(c.after));
    }
}

TEST_F(NuvEditInteraction, PasteReplacesSelectionAndSelectsIt)
{
    edit->SetPrefix(QStringLiteral("#"));
    edit->SetText(QStringLiteral("abcdef"));
    edit->setSelection(2, 2); // "bc"
    paste(QStringLiteral("XYZ"));
    EXPECT_EQ(edit->Text(), QStringLiteral("aXYZdef"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("XYZ"));
    EXPECT_TRUE(edit->IsValueModified());
    edit->setCursorPosition(1);
    paste(QStringLiteral("12"));
    EXPECT_EQ(edit->Text(), QStringLiteral("12aXYZdef"));
    EXPECT_EQ(edit->cursorPosition(), 3);
}

TEST_F(NuvEditInteraction, MoneyPasteSelectsTheWholeValue)
{
    edit->SetEditType(ET::etMoney);
    paste(QStringLiteral("12345"));
    EXPECT_EQ(edit->Text(), QStringLiteral("12,345"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12,345"));
}

TEST_F(NuvEditInteraction, PasteRefusals)
{
    edit->SetText(QStringLiteral("abc"));
    edit->SetMaxLength(5);
    paste(QStringLiteral("def"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abc")) << "longer than MaxLength";
    paste(QStringLiteral("de"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abcde"));

    edit->SetMaxLength(0);
    QString seen;
    edit->OnClipboardPaste = [&](QWidget&, const QString& v, bool& allow) {
        seen = v;
        allow = false;
    };
    edit->setSelection(1, 2);
    paste(QStringLiteral("zz"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abcde"));
    EXPECT_EQ(seen, QStringLiteral("bc"));

    edit->OnClipboardPaste = nullptr;
    edit->setReadOnly(true);
    paste(QStringLiteral("zz"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abcde"));
}

TEST_F(NuvEditInteraction, PasteBeyondTheWindowTextLimitKeepsTheSuffix)
{
    edit->SetSuffix(QStringLiteral(" kg"));
    edit->SetText(QStringLiteral("12"));
    edit->setCursorPosition(2);
    paste(QString(40000, u'7'));
    EXPECT_EQ(shown(), QStringLiteral("12 kg")) << "refused rather than cut short";
    EXPECT_FALSE(edit->IsValueModified());
}

TEST_F(NuvEditInteraction, KeyDownHandlersSeeTheClipboardKeys)
{
    edit->SetText(QStringLiteral("abc"));
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    std::vector<int> downs;
    edit->OnKeyDown = [&](QWidget&, int& k, TShiftState shift) {
        downs.push_back(k);
        if (k == 'V' && shift.Contains(TShiftStateItem::ssCtrl))
            k = 0;
    };
    edit->setCursorPosition(3);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("abc")) << "swallowed on its way down";
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("abczz"));
    // The modifier keys come down on their own first.
    std::erase_if(downs, [](int k) { return k == VK_CONTROL || k == VK_SHIFT; });
    EXPECT_EQ(downs, (std::vector<int>{'V', VK_INSERT}));
}

TEST_F(NuvEditInteraction, CopyAndCutEventsSeeTheValuePart)
{
    edit->SetPrefix(QStringLiteral("<"));
    edit->SetSuffix(QStringLiteral(">"));
    edit->SetText(QStringLiteral("hello"));
    edit->selectAll(); // prefix and suffix included
    QString copied;
    edit->OnClipboardCopy = [&](QWidget&, const QString& v, bool&) { copied = v; };
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copied, QStringLiteral("hello"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));

    edit->OnClipboardCut = [](QWidget&, const QString&, bool& allow) { allow = false; };
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    edit->setSelection(1, 2);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("hello"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("old"));

    edit->OnClipboardCut = nullptr;
    edit->setSelection(1, 2);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("llo"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("he"));
    EXPECT_EQ(shown(), QStringLiteral("<llo>"));
}

TEST_F(NuvEditInteraction, PasswordsNeitherCopyNorCut)
{
    edit->SetEditType(ET::etPassword);
    edit->SetText(QStringLiteral("secret"));
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    edit->selectAll();
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("old"));
    EXPECT_EQ(edit->Text(), QStringLiteral("secret")) << "nothing deleted";
}

TEST_F(NuvEditInteraction, EscapeRestoresTheTextOfFocusEntry)
{
    edit->SetText(QStringLiteral("start"));
    enter();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("start"));
    edit->setCursorPosition(5);
    type(QStringLiteral("ed"));
    EXPECT_TRUE(edit->IsValueModified());
    key(Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("start"));
    EXPECT_FALSE(edit->IsValueModified());
    EXPECT_EQ(edit->selectedText(), QStringLiteral("start"));

    edit->SetCanUndo(false);
    type(QStringLiteral("x"));
    key(Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("x"));
}

TEST_F(NuvEditInteraction, LeavingWritesNumbers)
{
    struct Case
    {
        ET type;
        int precision;
        const char* typed;
        const char* after;
    } cases[] = {
        {ET::etNumeric, 0, "", "0"},
        {ET::etNumeric, 0, "-", "0"},
        {ET::etMoney, 0, "-", "0"},
        {ET::etFloat, 0, "", "0"},
        {ET::etFloat, 2, "", "0.00"},
        {ET::etFloat, 2, "7", "7.00"},
        {ET::etMoney, 2, "1234567", "1,234,567.00"},
        {ET::etString, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        edit->SetPrecision(0);
        edit->SetEditType(c.type);
        edit->SetPrecision(c.precision);
        edit->SetSigned(true);
        edit->SetText(QString());
        enter();
        type(QString::fromUtf8(c.typed));
        leave();
        EXPECT_EQ(edit->Text(), QString::fromUtf8(c.after));
    }
}

TEST_F(NuvEditInteraction, FocusSelectionAvoidsPrefixSuffixAndScheme)
{
    edit->SetPrefix(QStringLiteral("["));
    edit->SetSuffix(QStringLiteral("]"));
    edit->SetText(QStringLiteral("value"));
    enter();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("value"));
    leave();
    edit->SetShowURL(true);
    edit->SetText(QStringLiteral("https://example.org"));
    enter();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("example.org"));
    leave();

    edit->SetAutoSelect(false);
    edit->SetShowURL(false);
    edit->SetPrefix(QString());
    edit->SetSuffix(QString());
    edit->SetEditType(ET::etFloat);
    edit->SetPrecision(2);
    edit->SetText(QStringLiteral("12.5"));
    enter();
    EXPECT_EQ(edit->cursorPosition(), 2) << "just before the decimal separator";
}

TEST_F(NuvEditInteraction, WithoutAutoSelectTabEntrySelectsNothing)
{
    edit->SetAutoSelect(false);
    edit->SetPrefix(QStringLiteral("$"));
    edit->SetText(QStringLiteral("12"));
    edit->setCursorPosition(3);
    enter(Qt::TabFocusReason);
    EXPECT_FALSE(edit->hasSelectedText()) << edit->selectedText().toStdString();
    EXPECT_GE(edit->cursorPosition(), 1);
}

TEST_F(NuvEditInteraction, ColourStates)
{
    edit->SetColor(clYellow);
    edit->SetFocusColor(clAqua);
    edit->SetFocusFontColor(clNavy);
    edit->Loaded();
    EXPECT_EQ(edit->ShownColor(), clYellow);
    enter();
    EXPECT_EQ(edit->ShownColor(), clAqua);
    EXPECT_EQ(edit->ShownFontColor(), clNavy);
    edit->SetShowModified(true);
    type(QStringLiteral("a"));
    EXPECT_EQ(edit->ShownFontColor(), clHighlight);
    leave();
    EXPECT_EQ(edit->ShownColor(), clYellow);
    EXPECT_EQ(edit->ShownFontColor(), clHighlight) << "still modified";
    edit->SetText(QStringLiteral("b"));
    EXPECT_EQ(edit->ShownFontColor(), clWindowText);

    edit->SetFocusColor(clNone);
    enter();
    EXPECT_EQ(edit->ShownColor(), clYellow) << "clNone keeps the colour";
    leave();

    edit->SetEnabled(false);
    EXPECT_EQ(edit->ShownColor(), clSilver);
    edit->SetEnabled(true);
    EXPECT_EQ(edit->ShownColor(), clYellow);
}

TEST_F(NuvEditInteraction, LooksEndWithTheirSettings)
{
    edit->SetFocusFontColor(clNavy);
    edit->SetShowModified(true);
    type(QStringLiteral("a"));
    ASSERT_EQ(edit->ShownFontColor(), clHighlight);
    edit->SetShowModified(false);
    EXPECT_EQ(edit->ShownFontColor(), clWindowText) << "the modified colour goes";

    edit->OnValueValidate = [](QWidget&, const QString&, bool& valid) { valid = false; };
    edit->SetShowError(true);
    enter();
    ASSERT_TRUE(edit->ErrorLook());
    edit->SetShowError(false);
    EXPECT_FALSE(edit->ErrorLook());
    EXPECT_EQ(edit->ShownColor(), clWindow);
    EXPECT_EQ(edit->ShownFontColor(), clNavy) << "focused: the focus text colour";
}

TEST_F(NuvEditInteraction, ErrorLookFollowsValidation)
{
    edit->SetColor(clWhite);
    edit->SetShowError(true);
    int calls = 0;
    edit->OnValueValidate = [&](QWidget&, const QString& v, bool& valid) {
        ++calls;
        valid = v.size() <= 3;
    };
    edit->SetText(QStringLiteral("toolong"));
    EXPECT_TRUE(edit->ErrorLook());
    EXPECT_EQ(edit->ShownColor(), clRed);
    EXPECT_EQ(edit->ShownFontColor(), clWhite);
    enter();
    EXPECT_EQ(edit->ShownColor(), clRed) << "focus does not hide an error";
    edit->SetText(QStringLiteral("ok"));
    EXPECT_FALSE(edit->ErrorLook());
    EXPECT_EQ(edit->ShownColor(), clWindow) << "focus colour while focused";
    leave();
    EXPECT_EQ(edit->ShownColor(), clWhite);
    EXPECT_GT(calls, 0);

    // A handler that changes the text validates again only once.
    edit->OnValueValidate = [&](QWidget&, const QString&, bool& valid) {
        ++calls;
        if (edit->Text() != QStringLiteral("x"))
            edit->SetText(QStringLiteral("x"));
        valid = true;
    };
    calls = 0;
    edit->SetText(QStringLiteral("y"));
    EXPECT_LT(calls, 5);
    EXPECT_EQ(edit->Text(), QStringLiteral("x"));
}

TEST_F(NuvEditInteraction, LinkLookAndClickGoThroughTheOpener)
{
    edit->SetShowURL(true);
    const std::pair<const char*, bool> cases[] = {
        {"www.example.org", true}, {"me@example.org", true}, {"@example", false},
        {"ftp://x", true},         {"plain", false},
    };
    for (const auto& [text, link] : cases) {
        SCOPED_TRACE(text);
        edit->SetText(QString::fromUtf8(text));
        EXPECT_EQ(edit->LinkLook(), link);
        EXPECT_EQ(edit->ShownFontColor(), link ? clBlue : clWindowText);
        EXPECT_EQ(edit->font().underline(), link);
    }

    std::vector<QUrl> opened;
    edit->LinkOpener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    m_window->show();
    edit->SetText(QStringLiteral("www.example.org"));
    enter(Qt::MouseFocusReason);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(), QStringLiteral("http://www.example.org"));

    edit->OnURLClick = [](QWidget&, const QString&, bool& show) { show = false; };
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(opened.size(), 1u) << "the handler declined";

    // Schemes outside the allow-list are never opened.
    edit->OnURLClick = nullptr;
    edit->SetText(QStringLiteral("ftp://example.org/file"));
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(NuvEditInteraction, ClickThatFocusesALinkDoesNotOpenIt)
{
    std::vector<QUrl> opened;
    edit->LinkOpener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    m_window->show();
    edit->SetShowURL(true);
    edit->SetText(QStringLiteral("www.example.org"));
    // The press gives the focus, as the platform does, before the release.
    const QPoint at(10, 10);
    QTest::mousePress(edit, Qt::LeftButton, {}, at);
    enter(Qt::MouseFocusReason);
    QTest::mouseRelease(edit, Qt::LeftButton, {}, at);
    EXPECT_TRUE(opened.empty()) << "the edit was not focused when clicked";
    QTest::mouseClick(edit, Qt::LeftButton, {}, at);
    EXPECT_EQ(opened.size(), 1u);
}

TEST(NuvEditLinks, AllowList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("note.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("https://a.example/x?y=1"), QStringLiteral("https://a.example/x?y=1")},
        {QStringLiteral("www.a.example"), QStringLiteral("http://www.a.example")},
        {QStringLiteral("me@a.example"), QStringLiteral("mailto:me@a.example")},
        {QStringLiteral("mailto:me@a.example"), QStringLiteral("mailto:me@a.example")},
        {file, QUrl::fromLocalFile(file).toString()},
        {QStringLiteral("file://") + file, QUrl::fromLocalFile(file).toString()},
        {dir.filePath(QStringLiteral("missing.txt")), QString()},
        {QStringLiteral("javascript://alert(1)"), QString()},
        {QStringLiteral("ftp://a.example"), QString()},
        {QStringLiteral("http://a\x01.example"), QString()},
        {QStringLiteral("; rm -rf /"), QString()},
        {QString(), QString()},
    };
    for (const auto& [text, url] : cases) {
        SCOPED_TRACE(text.toStdString());
        const QUrl allowed = AllowedLinkUrl(text);
        EXPECT_EQ(allowed.isValid() ? allowed.toString() : QString(), url);
    }
}

TEST_F(NuvEditInteraction, LabelPositions)
{
    edit->LabelFont().SetName(QStringLiteral("Arial"));
    edit->SetLabelCaption(QStringLiteral("Name"));
    QLabel* label = edit->Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), m_window.get());
    const int lw = label->width();
    const int lh = label->height();
    const QRect e = edit->geometry(); // 100, 50, 120 x 21
    struct Case
    {
        TLabelPosition position;
        int x;
        int y;
    } cases[] = {
        {TLabelPosition::lpLeftTop, e.left() - lw - 4, e.top()},
        {TLabelPosition::lpLeftCenter, e.left() - lw - 4, e.top() + (e.height() - lh) / 2},
        {TLabelPosition::lpLeftBottom, e.left() - lw - 4, e.top() + e.height() - lh},
        {TLabelPosition::lpTopLeft, e.left(), e.top() - lh - 4},
        {TLabelPosition::lpBottomLeft, e.left(), e.top() + e.height() + 4},
        {TLabelPosition::lpLeftTopLeft, e.left() - 4, e.top()},
        {TLabelPosition::lpLeftCenterLeft, e.left() - 4, e.top() + (e.height() - lh) / 2},
        {TLabelPosition::lpLeftBottomLeft, e.left() - 4, e.top() + e.height() - lh},
        {TLabelPosition::lpTopCenter, e.left() + (e.width() - lw) / 2, e.top() - lh - 4},
        {TLabelPosition::lpBottomCenter, e.left() + (e.width() - lw) / 2, e.top() + e.height() + 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.position));
        edit->SetLabelPosition(c.position);
        EXPECT_EQ(label->pos(), QPoint(c.x, c.y));
    }
    m_window->show();
    EXPECT_TRUE(label->isVisible());
    edit->SetLabelPosition(TLabelPosition::lpLeftTop);
    edit->SetLabelMargin(10);
    edit->move(150, 60);
    EXPECT_EQ(label->pos(), QPoint(150 - lw - 10, 60)) << "follows the edit";

    edit->hide();
    EXPECT_FALSE(label->isVisible());
    edit->show();
    edit->SetEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    edit->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(label->isEnabled());

    int clicks = 0;
    edit->OnLabelClick = [&](QWidget&) { ++clicks; };
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    edit->SetEnabled(true);
    edit->SetFocusLabel(true);
    enter();
    EXPECT_TRUE(label->font().bold());
    leave();
    EXPECT_FALSE(label->font().bold());
}

TEST_F(NuvEditInteraction, LabelFreedFirstIsNoDanglingLabel)
{
    edit->SetLabelCaption(QStringLiteral("First"));
    delete edit->Label(); // the parent may free its children in any order
    EXPECT_EQ(edit->Label(), nullptr);
    edit->SetLabelCaption(QStringLiteral("Again"));
    ASSERT_NE(edit->Label(), nullptr);
    EXPECT_EQ(edit->Label()->text(), QStringLiteral("Again"));
    delete edit; // frees its label as well
    edit = nullptr;
}

TEST_F(NuvEditInteraction, EmptyTextAndErrorMarkerArePainted)
{
    edit->resize(120, 21);
    edit->SetEmptyText(QStringLiteral("Search"));
    QImage img(edit->size(), QImage::Format_RGB32);
    edit->render(&img);
    int grey = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            grey += FromQColor(img.pixelColor(x, y)) == clGray;
    EXPECT_GT(grey, 10) << "the hint text in grey";

    edit->SetEmptyText(QString());
    edit->SetText(QStringLiteral("speling"));
    edit->SetErrorMarkerPos(0);
    edit->SetErrorMarkerLen(3);
    edit->render(&img);
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            red += FromQColor(img.pixelColor(x, y)) == clRed;
    EXPECT_GT(red, 6);
    enter();
    edit->render(&img);
    red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            red += FromQColor(img.pixelColor(x, y)) == clRed;
    EXPECT_EQ(red, 0) << "no marker while focused";
}

TEST_F(NuvEditInteraction, AlignmentWhileFocused)
{
    edit->SetEditAlign(TEditAlign::eaRight);
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    edit->SetFocusAlign(TEditAlign::eaCenter);
    enter();
    EXPECT_TRUE(edit->alignment() & Qt::AlignHCenter);
    leave();
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    edit->SetFocusAlign(TEditAlign::eaDefault);
    enter();
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << "eaDefault keeps EditAlign";
}

TEST_F(NuvEditInteraction, SettingsChangedWhileFocusedSurviveLeaving)
{
    edit->SetFocusAlign(TEditAlign::eaCenter);
    edit->SetFocusWidthInc(30);
    enter();
    EXPECT_EQ(edit->width(), 150);
    edit->SetEditAlign(TEditAlign::eaRight);
    edit->SetFocusWidthInc(10);
    leave();
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << "the new alignment, not the old";
    EXPECT_EQ(edit->width(), 120) << "the widening taken back as it was made";
}

TEST_F(NuvEditInteraction, SoftBorderFramesTheTextArea)
{
    edit->SetFlat(true);
    edit->SetSoftBorder(true);
    QImage img(edit->size(), QImage::Format_RGB32);
    edit->render(&img);
    EXPECT_EQ(FromQColor(img.pixelColor(0, 10)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(FromQColor(img.pixelColor(60, 0)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(edit->FocusColor(), edit->Color()) << "the parent's colour also when focused";
}

TEST_F(NuvEditInteraction, FlatLookLineAndFocusWidening)
{
    m_window->setPalette(QPalette(QColor(Qt::green)));
    edit->SetFlat(true);
    EXPECT_EQ(edit->Color(), FromQColor(m_window->palette().color(QPalette::Window)));
    edit->SetFlatLineColor(clRed);
    QImage img(edit->size(), QImage::Format_RGB32);
    edit->render(&img);
    EXPECT_EQ(FromQColor(img.pixelColor(5, img.height() - 1)), clRed);
    edit->SetFlat(false);
    EXPECT_EQ(edit->Color(), clWindow);

    edit->SetFocusWidthInc(30);
    enter();
    EXPECT_EQ(edit->width(), 150);
    leave();
    EXPECT_EQ(edit->width(), 120);
}

} // namespace
