// Column descriptions and the checks that keep a list of them creatable.
#include "platform/db/FieldDefs.h"

#include "platform/core/Exceptions.h"
#include "platform/db/DatabaseError.h"

QString FieldTypeName(TFieldType type)
{
    switch (type) {
    case TFieldType::ftString:
        return QStringLiteral("String");
    case TFieldType::ftMemo:
        return QStringLiteral("Memo");
    case TFieldType::ftInteger:
        return QStringLiteral("Integer");
    case TFieldType::ftAutoInc:
        return QStringLiteral("AutoInc");
    case TFieldType::ftBoolean:
        return QStringLiteral("Boolean");
    case TFieldType::ftFloat:
        return QStringLiteral("Float");
    case TFieldType::ftDateTime:
        return QStringLiteral("DateTime");
    case TFieldType::ftDate:
        return QStringLiteral("Date");
    case TFieldType::ftTime:
        return QStringLiteral("Time");
    }
    return QStringLiteral("Unknown");
}

TFieldDefs::TFieldDefs(std::initializer_list<TFieldDef> defs)
{
    for (const TFieldDef& def : defs)
        Add(def);
}

const TFieldDef& TFieldDefs::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Field definition index out of bounds (%1)").arg(index));
    return m_defs[size_t(index)];
}

void TFieldDefs::Add(const QString& name, TFieldType type, int size, bool required)
{
    if (name.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("A field needs a name"));
    if (IndexOf(name) >= 0)
        throw EDatabaseError(QStringLiteral("Duplicate field name '%1'").arg(name));
    if (type == TFieldType::ftString && size <= 0)
        throw EDatabaseError(
            QStringLiteral("String field '%1' needs a size of at least 1").arg(name));
    if (type == TFieldType::ftAutoInc) {
        for (const TFieldDef& def : m_defs)
            if (def.DataType == TFieldType::ftAutoInc)
                throw EDatabaseError(
                    QStringLiteral("Field '%1': a table has at most one auto-increment field")
                        .arg(name));
    }
    m_defs.push_back({name, type, type == TFieldType::ftString ? size : 0, required});
}

int TFieldDefs::IndexOf(const QString& name) const
{
    for (size_t i = 0; i < m_defs.size(); ++i)
        if (m_defs[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const TFieldDef* TFieldDefs::Find(const QString& name) const
{
    const int index = IndexOf(name);
    return index < 0 ? nullptr : &m_defs[size_t(index)];
}
