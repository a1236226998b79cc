// The two settings groups of the typed edit's optional services: what the auto-complete
// list offers and how it behaves (TLookupSettings), and where the edit keeps its text and
// remembered entries between runs (TPersistence).
#pragma once

#include "platform/core/Color.h"
#include "platform/core/StringList.h"

#include <QString>

class TLookupSettings
{
public:
    bool Enabled() const { return m_enabled; } // false
    void SetEnabled(bool on) { m_enabled = on; }
    // Texts offered; setting copies the list.
    TStringList& DisplayList() { return m_displayList; } // empty
    const TStringList& DisplayList() const { return m_displayList; }
    void SetDisplayList(const TStringList& list) { m_displayList.Assign(list); }
    // Inserted instead of the display text of the same index, where present.
    TStringList& ValueList() { return m_valueList; } // empty
    const TStringList& ValueList() const { return m_valueList; }
    void SetValueList(const TStringList& list) { m_valueList.Assign(list); }
    // Characters typed before the list shows; below 1 is ignored.
    int NumChars() const { return m_numChars; } // 2
    void SetNumChars(int n)
    {
        if (n >= 1)
            m_numChars = n;
    }
    // Visible rows and paging step; below 1 is ignored.
    int DisplayCount() const { return m_displayCount; } // 4
    void SetDisplayCount(int n)
    {
        if (n >= 1)
            m_displayCount = n;
    }
    bool CaseSensitive() const { return m_caseSensitive; } // false
    void SetCaseSensitive(bool on) { m_caseSensitive = on; }
    // Texts entered in the edit join DisplayList, and the lists are persisted.
    bool History() const { return m_history; } // false
    void SetHistory(bool on) { m_history = on; }
    // Several entries separated by Separator; completion works on the last one.
    bool Multi() const { return m_multi; } // false
    void SetMulti(bool on) { m_multi = on; }
    // An empty separator would split nothing: ignored.
    const QString& Separator() const { return m_separator; } // ";"
    void SetSeparator(const QString& s)
    {
        if (!s.isEmpty())
            m_separator = s;
    }
    TColor Color() const { return m_color; } // clWindow
    void SetColor(TColor c) { m_color = c; }

private:
    bool m_enabled = false;
    TStringList m_displayList;
    TStringList m_valueList;
    int m_numChars = 2;
    int m_displayCount = 4;
    bool m_caseSensitive = false;
    bool m_history = false;
    bool m_multi = false;
    QString m_separator = QStringLiteral(";");
    TColor m_color = clWindow;
};

enum class TPersistenceLocation
{
    plInifile,
    plRegistry
};

class TPersistence
{
public:
    bool Enable() const { return m_enable; } // false
    void SetEnable(bool on) { m_enable = on; }
    // The INI file, or the key path in the native settings store. An empty key with an INI
    // file becomes the program's path with ".INI" when first used.
    const QString& Key() const { return m_key; } // empty
    void SetKey(const QString& key) { m_key = key; }
    const QString& Section() const { return m_section; } // empty
    void SetSection(const QString& section) { m_section = section; }
    TPersistenceLocation Location() const { return m_location; } // plInifile
    void SetLocation(TPersistenceLocation l) { m_location = l; }

private:
    bool m_enable = false;
    QString m_key;
    QString m_section;
    TPersistenceLocation m_location = TPersistenceLocation::plInifile;
};
