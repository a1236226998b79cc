// Reading markup text: the preparation a text gets once per call (entities, the literal
// "<#", line breaks), the per-piece entities, and the attribute readers the tags share.
// Internal to the renderer and the text operations.
#pragma once

#include <QString>
#include <QStringView>

namespace markup {

// Entities replaced until none is left, the first "<#" made literal, CR to <BR>, LF gone.
QString PrepareText(const QString& text);
// "&nbsp;" to a space, "&lt;" to "<", "&gt;" to ">" (letter case ignored).
QString PieceEntities(QStringView piece);

// Upper case character by character, so that positions in the result are those of the
// original (QString::toUpper may lengthen a string).
QString UpperSameLength(QStringView text);

// The text between the first two double quotes at or after from; empty without two.
QString QuotedFrom(QStringView text, qsizetype from);
// The quoted value after the first occurrence of name in upperTag, read from tag (of the
// same length, in its own letter case); empty when name is absent. found tells which.
QString AttributeValue(const QString& tag, const QString& upperTag, QLatin1String name,
                       bool* found = nullptr);

// The leading integer after leading spaces (an optional sign, then digits); 0 without
// digits. Kept within +-32767, the coordinate range markup is laid out in.
int LeadingInt(QStringView text);
// A clean integer (surrounding spaces allowed) within +-32767.
bool ValidInt(QStringView text, int& value);

inline constexpr int MarkupNumberLimit = 32767;

} // namespace markup
