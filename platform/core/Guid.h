// GUIDs in the braced 38-character upper-case text form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// used as keys of new records.
#pragma once

#include <QString>

QString NewGuidString();
// Whether a text is a GUID in exactly that form (braces, hyphens, 32 hex digits, upper case).
bool IsGuidString(const QString& text);
