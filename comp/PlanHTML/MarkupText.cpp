// The markup text operations that do not lay anything out: stripping tags, escaping the
// tag characters, and reading and rewriting embedded controls' tags.
#include "comp/PlanHTML/MarkupParsing.h"
#include "comp/PlanHTML/PlanHTML.h"

using namespace markup;

QString StripMarkup(const QString& text)
{
    // Line breaks first, so that a break inside a malformed tag goes with that tag, and a
    // break's own ">" never closes a tag opened before it.
    QString broken = text;
    broken.replace(QLatin1String("<BR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    broken.replace(QLatin1String("<HR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);

    QString out;
    out.reserve(broken.size());
    qsizetype i = 0;
    while (i < broken.size()) {
        const qsizetype open = broken.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            out += QStringView(broken).mid(i);
            break;
        }
        out += QStringView(broken).mid(i, open - i);
        const qsizetype close = broken.indexOf(QLatin1Char('>'), open);
        // As when drawing, a "<" that never closes takes the rest of the text with it.
        if (close < 0)
            break;
        i = close + 1;
    }
    return out;
}

QString EscapeMarkup(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    s.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return s;
}

QString UnescapeMarkup(const QString& text)
{
    QString s = text;
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    return s;
}

namespace {

// The value between the first two quotes after the attribute's first letter.
QString controlAttribute(const QString& tag, const QString& upper, QLatin1String name)
{
    const qsizetype pos = upper.indexOf(name);
    if (pos < 0)
        return QString();
    return QuotedFrom(tag, pos);
}

} // namespace

TMarkupControl ParseControlTag(const QString& tag)
{
    const QString upper = UpperSameLength(tag);
    TMarkupControl c;
    c.Type = controlAttribute(tag, upper, QLatin1String("TYPE=")).toUpper();
    c.Width = controlAttribute(tag, upper, QLatin1String("WIDTH="));
    c.Id = controlAttribute(tag, upper, QLatin1String("ID="));
    c.Value = UnescapeMarkup(controlAttribute(tag, upper, QLatin1String("VALUE=")));
    return c;
}

bool SetMarkupControlValue(QString& text, const QString& id, const QString& value)
{
    const QLatin1String opening("<CONTROL ");
    qsizetype pos = text.indexOf(opening, 0, Qt::CaseInsensitive);
    while (pos >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), pos);
        const qsizetype end = close < 0 ? text.size() : close + 1;
        const TMarkupControl c = ParseControlTag(text.mid(pos, end - pos));
        if (c.Id == id) {
            const QString tag = QStringLiteral("<CONTROL ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\" "
                                               "TYPE=\"%4\">")
                                    .arg(id, EscapeMarkup(value), c.Width, c.Type);
            text.replace(pos, end - pos, tag);
            return true;
        }
        pos = text.indexOf(opening, end, Qt::CaseInsensitive);
    }
    return false;
}
