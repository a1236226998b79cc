// The markup text operations: stripping tags, escaping, reading control tags, rewriting a
// control's value, and the two colour syntaxes.
#include "comp/PlanHTML/PlanHTML.h"

#include <gtest/gtest.h>

namespace {

struct StripCase
{
    const char* markup;
    const char* plain;
};

TEST(StripMarkup, BreaksBecomeCrLfTagsGoEntitiesStay)
{
    const StripCase cases[] = {
        {"a<BR>b<b>c</b>", "a\r\nbc"},
        {"x<hr>y<Br>z", "x\r\ny\r\nz"},
        {"<A href=\"u\">link</A> &amp; more", "link &amp; more"},
        {"no tags", "no tags"},
        {"a<b", "a"},
        {"<", ""},
        {"a>b", "a>b"},
        {"<<b>>x", ">x"},
        {"<BR", ""},
        {"", ""},
        // Breaks are made before tags go: one inside a malformed tag goes with it, and its
        // ">" does not end the tag around it.
        {"a<b<BR>>c", "ac"},
        {"<x<hR>y>z<BR>w", "z\r\nw"},
        {"a<BR<BR>>b", "ab"},
    };
    for (const StripCase& c : cases) {
        SCOPED_TRACE(c.markup);
        EXPECT_EQ(StripMarkup(QString::fromUtf8(c.markup)), QString::fromUtf8(c.plain));
    }
}

TEST(EscapeMarkup, TagCharactersAndBack)
{
    EXPECT_EQ(EscapeMarkup(QStringLiteral("a<b>c")), QStringLiteral("a&lt;b&gt;c"));
    EXPECT_EQ(UnescapeMarkup(QStringLiteral("a&lt;b&gt;c")), QStringLiteral("a<b>c"));
    EXPECT_EQ(UnescapeMarkup(EscapeMarkup(QStringLiteral("<<x>>"))), QStringLiteral("<<x>>"));
}

struct ControlCase
{
    const char* tag;
    const char* type;
    const char* id;
    const char* width;
    const char* value;
};

TEST(ParseControlTag, AttributesInAnyOrderAndCase)
{
    const ControlCase cases[] = {
        {R"(<CONTROL TYPE="check" ID="c1" VALUE="TRUE">)", "CHECK", "c1", "", "TRUE"},
        {R"( value="a&lt;b" width="80" id="Ed" type="Edit">)", "EDIT", "Ed", "80", "a<b"},
        // Without quotes of its own the value is the next quoted text.
        {R"( TYPE=COMBO ID="x">)", "X", "x", "", ""},
        {R"( ID="only">)", "", "only", "", ""},
        {"", "", "", "", ""},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.tag);
        const TMarkupControl r = ParseControlTag(QString::fromUtf8(c.tag));
        EXPECT_EQ(r.Type, QString::fromUtf8(c.type));
        EXPECT_EQ(r.Id, QString::fromUtf8(c.id));
        EXPECT_EQ(r.Width, QString::fromUtf8(c.width));
        EXPECT_EQ(r.Value, QString::fromUtf8(c.value));
    }
}

TEST(SetMarkupControlValue, RewritesOnlyTheFirstControlWithThatId)
{
    QString text = QStringLiteral(R"(a<control type="edit" width="60" id="e1" value="old">b)"
                                  R"(<CONTROL TYPE="EDIT" ID="e1" VALUE="keep" WIDTH="9">c)");
    ASSERT_TRUE(SetMarkupControlValue(text, QStringLiteral("e1"), QStringLiteral("x<y")));
    EXPECT_EQ(text, QStringLiteral(R"(a<CONTROL ID="e1" VALUE="x&lt;y" WIDTH="60" TYPE="EDIT">b)"
                                   R"(<CONTROL TYPE="EDIT" ID="e1" VALUE="keep" WIDTH="9">c)"));
}

TEST(SetMarkupControlValue, IdsCompareWithCaseAndMissingIdChangesNothing)
{
    const QString original = QStringLiteral(R"(<CONTROL TYPE="CHECK" ID="Box" VALUE="FALSE">)");
    QString text = original;
    EXPECT_FALSE(SetMarkupControlValue(text, QStringLiteral("box"), QStringLiteral("TRUE")));
    EXPECT_EQ(text, original);
    EXPECT_TRUE(SetMarkupControlValue(text, QStringLiteral("Box"), QStringLiteral("TRUE")));
    EXPECT_EQ(text, QStringLiteral(R"(<CONTROL ID="Box" VALUE="TRUE" WIDTH="" TYPE="CHECK">)"));
}

TEST(MarkupColors, NamesAndHexDigits)
{
    EXPECT_EQ(MarkupColorByName(QStringLiteral("clred")), 0x000000FFu);
    EXPECT_EQ(MarkupColorByName(QStringLiteral("clnavy")), 0x00800000u);
    EXPECT_EQ(MarkupColorByName(QStringLiteral("cl3ddkshadow")), 0xFF000015u);
    EXPECT_EQ(MarkupColorByName(QStringLiteral("clinfobk")), 0xFF000018u);
    // Only "cl" names count, and only in lower case.
    EXPECT_EQ(MarkupColorByName(QStringLiteral("red")), 0u);
    EXPECT_EQ(MarkupColorByName(QStringLiteral("clRed")), 0u);

    EXPECT_EQ(MarkupHexColor(QStringLiteral("#FF0000")), 0x000000FFu);
    EXPECT_EQ(MarkupHexColor(QStringLiteral("#00FF00")), 0x0000FF00u);
    EXPECT_EQ(MarkupHexColor(QStringLiteral("#0000FF")), 0x00FF0000u);
    EXPECT_EQ(MarkupHexColor(QStringLiteral("#12AB")), 0x0000AB12u);
    EXPECT_EQ(MarkupHexColor(QStringLiteral("#1")), 0u);
    EXPECT_EQ(MarkupHexColor(QString()), 0u);
}

} // namespace
