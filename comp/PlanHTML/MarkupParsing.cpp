// Markup text preparation and attribute reading.
#include "comp/PlanHTML/MarkupParsing.h"

#include <algorithm>

namespace markup {

namespace {

struct Entity
{
    QLatin1String name;
    QString replacement;
};

// The entities replaced before the text is split at tags, with the characters they stand
// for. "&amp;" becomes "&&" because output takes a single "&" as an underline prefix.
const Entity* entities(int& count)
{
    static const Entity table[] = {
        {QLatin1String("&amp;"), QStringLiteral("&&")},
        {QLatin1String("&quot;"), QStringLiteral("\"")},
        {QLatin1String("&sect;"), QString(QChar(0x00A7))},
        {QLatin1String("&permil;"), QString(QChar(0x2030))},
        {QLatin1String("&reg;"), QString(QChar(0x00AE))},
        {QLatin1String("&copy;"), QString(QChar(0x00A9))},
        {QLatin1String("&para;"), QString(QChar(0x00B6))},
        {QLatin1String("&trade;"), QString(QChar(0x2122))},
        {QLatin1String("&euro;"), QString(QChar(0x20AC))},
    };
    count = int(sizeof(table) / sizeof(table[0]));
    return table;
}

// Replacing entities until none is left: matches never overlap (each begins with the only
// "&" it contains), so the order of replacement does not change the outcome, and one scan
// that re-checks the end of its output after each ";" reaches the same text in linear time
// where repeated passes would take quadratic time.
QString replaceEntities(const QString& text)
{
    int count = 0;
    const Entity* table = entities(count);
    QString out;
    out.reserve(text.size());
    const QStringView in(text);
    qsizetype pos = 0;
    while (pos < in.size()) {
        const qsizetype semicolon = in.indexOf(QLatin1Char(';'), pos);
        if (semicolon < 0) {
            out += in.mid(pos);
            break;
        }
        out += in.mid(pos, semicolon + 1 - pos);
        pos = semicolon + 1;
        for (int i = 0; i < count; ++i) {
            const qsizetype n = table[i].name.size();
            if (out.size() >= n &&
                QStringView(out).right(n).compare(table[i].name, Qt::CaseInsensitive) == 0) {
                out.chop(n);
                out += table[i].replacement;
                break;
            }
        }
    }
    return out;
}

} // namespace

QString PrepareText(const QString& text)
{
    QString s = text.contains(QLatin1Char('&')) ? replaceEntities(text) : text;
    const qsizetype hash = s.indexOf(QLatin1String("<#"));
    if (hash >= 0) {
        const qsizetype close = s.indexOf(QLatin1Char('>'), hash);
        if (close >= 0)
            s.remove(close, 1);
        s.remove(hash, 1);
    }
    if (s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'))) {
        QString out;
        out.reserve(s.size() + 16);
        for (QChar c : s) {
            if (c == QLatin1Char('\r'))
                out += QLatin1String("<BR>");
            else if (c != QLatin1Char('\n'))
                out += c;
        }
        s = out;
    }
    return s;
}

QString PieceEntities(QStringView piece)
{
    QString s = piece.toString();
    if (!s.contains(QLatin1Char('&')))
        return s;
    s.replace(QLatin1String("&nbsp;"), QLatin1String(" "), Qt::CaseInsensitive);
    s.replace(QLatin1String("&lt;"), QLatin1String("<"), Qt::CaseInsensitive);
    s.replace(QLatin1String("&gt;"), QLatin1String(">"), Qt::CaseInsensitive);
    return s;
}

QString UpperSameLength(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Tags are ASCII; the table lookup is only worth it beyond.
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            out[i] = QChar(c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c);
        else
            out[i] = text[i].toUpper();
    }
    return out;
}

QString QuotedFrom(QStringView text, qsizetype from)
{
    if (from < 0 || from >= text.size())
        return QString();
    const qsizetype open = text.indexOf(QLatin1Char('"'), from);
    if (open < 0)
        return QString();
    const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return QString();
    return text.mid(open + 1, close - open - 1).toString();
}

QString AttributeValue(const QString& tag, const QString& upperTag, QLatin1String name, bool* found)
{
    const qsizetype pos = upperTag.indexOf(name);
    if (found)
        *found = pos >= 0;
    if (pos < 0)
        return QString();
    return QuotedFrom(tag, pos + name.size());
}

int LeadingInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        value = std::min<long long>(value * 10 + (text[i].unicode() - '0'), MarkupNumberLimit);
        ++i;
    }
    return int(negative ? -value : value);
}

bool ValidInt(QStringView text, int& value)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    value = int(std::clamp<qlonglong>(v, -MarkupNumberLimit, MarkupNumberLimit));
    return true;
}

} // namespace markup
