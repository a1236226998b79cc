// MatchFilter: the planner's text-search patterns. Terms are combined strictly left to
// right; each is either a comparison against an operand or a wildcard pattern over the
// whole text.
#include "comp/planutil/PlanUtil.h"
#include "platform/core/NumberFormat.h"

#include <vector>

namespace {

bool isOperator(QChar c)
{
    return c == QLatin1Char('&') || c == QLatin1Char(';') || c == QLatin1Char('^');
}

// Spaces next to an operator belong to neither term.
QString tightenOperators(const QString& pattern)
{
    const QString trimmed = pattern.trimmed();
    QString out;
    out.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c == QLatin1Char(' ')) {
            qsizetype j = i;
            while (j < trimmed.size() && trimmed[j] == QLatin1Char(' '))
                ++j;
            const bool afterOp = !out.isEmpty() && isOperator(out.back());
            const bool beforeOp = j < trimmed.size() && isOperator(trimmed[j]);
            if (!afterOp && !beforeOp)
                out += trimmed.mid(i, j - i);
            i = j - 1;
            continue;
        }
        out += c;
    }
    return out;
}

// -1, 0 or 1: numbers when both sides are numbers, else dates when both are dates, else
// character codes of at most 255 characters.
int compareValues(const QString& text, const QString& operand)
{
    double a = 0, b = 0;
    if (TryStrToFloat(text, a) && TryStrToFloat(operand, b))
        return a < b ? -1 : (a > b ? 1 : 0);
    TDateTime da = 0, db = 0;
    if (ParseShortDate(text, da) && ParseShortDate(operand, db))
        return da < db ? -1 : (da > db ? 1 : 0);
    const int c = QStringView(text).left(255).compare(QStringView(operand).left(255));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The operand after a comparison sign at pos: spaces skipped, up to a space, "&", "|" or
// the end. orEqual tells whether the sign is followed by "=".
QString operandAt(const QString& term, qsizetype pos, bool& orEqual)
{
    qsizetype i = pos + 1;
    orEqual = i < term.size() && term[i] == QLatin1Char('=');
    if (orEqual)
        ++i;
    while (i < term.size() && term[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    while (i < term.size() && term[i] != QLatin1Char(' ') && term[i] != QLatin1Char('&') &&
           term[i] != QLatin1Char('|'))
        ++i;
    return term.mid(start, i - start);
}

// "*" any run, "?" one character, everything else itself. Which run a star takes does not
// change whether the whole matches, so the star retried last is the only one remembered:
// quadratic at worst, where trying every split would be exponential.
bool wildcardMatch(QStringView pattern, QStringView text)
{
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

bool matchTerm(const QString& term, const QString& text)
{
    const qsizetype gt = term.indexOf(QLatin1Char('>'));
    if (gt >= 0) {
        bool orEqual = false;
        const int c = compareValues(text, operandAt(term, gt, orEqual));
        if (c > 0 || (orEqual && c == 0))
            return true;
    }
    const qsizetype lt = term.indexOf(QLatin1Char('<'));
    if (lt >= 0) {
        bool orEqual = false;
        const int c = compareValues(text, operandAt(term, lt, orEqual));
        if (c < 0 || (orEqual && c == 0))
            return true;
    }
    // "!" matches nothing itself; it turns the term's result round.
    QString pattern = term;
    const bool negate = pattern.contains(QLatin1Char('!'));
    pattern.remove(QLatin1Char('!'));
    return wildcardMatch(pattern, text) != negate;
}

} // namespace

bool MatchFilter(const QString& pattern, const QString& text, bool caseSensitive)
{
    QString p = tightenOperators(pattern);
    QString t = text;
    if (!caseSensitive) {
        p = p.toUpper();
        t = t.toUpper();
    }

    bool result = false;
    QChar op;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= p.size(); ++i) {
        if (i < p.size() && !isOperator(p[i]))
            continue;
        const bool term = matchTerm(p.mid(start, i - start), t);
        if (op.isNull())
            result = term;
        else if (op == QLatin1Char('&'))
            result = result && term;
        else
            result = result || term;
        if (i < p.size())
            op = p[i];
        start = i + 1;
    }
    return result;
}
