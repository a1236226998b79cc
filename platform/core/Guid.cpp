// GUID creation through Qt's random (version 4) UUIDs.
#include "platform/core/Guid.h"

#include <QRegularExpression>
#include <QUuid>

QString NewGuidString()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

bool IsGuidString(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    return form.match(text).hasMatch();
}
