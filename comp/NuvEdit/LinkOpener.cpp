// The allow-list in front of the desktop services for links shown in edits.
#include "comp/NuvEdit/LinkOpener.h"

#include <QDesktopServices>
#include <QFileInfo>

QUrl AllowedLinkUrl(const QString& text)
{
    const QString link = text.trimmed();
    if (link.isEmpty())
        return {};
    for (QChar c : link)
        if (c.category() == QChar::Other_Control)
            return {};
    if (link.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + link, QUrl::StrictMode);
    if (link.contains(QStringLiteral("://")) ||
        link.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)) {
        const QUrl url(link, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (!url.isValid())
            return {};
        if (scheme == QStringLiteral("http") || scheme == QStringLiteral("https") ||
            scheme == QStringLiteral("mailto"))
            return url;
        if (scheme == QStringLiteral("file") && url.isLocalFile() &&
            QFileInfo(url.toLocalFile()).isFile())
            return url;
        return {};
    }
    if (link.indexOf(u'@') > 0 && !link.contains(u' ')) {
        const QUrl url(QStringLiteral("mailto:") + link, QUrl::StrictMode);
        return url.isValid() ? url : QUrl();
    }
    const QFileInfo file(link);
    if (file.isAbsolute() && file.isFile())
        return QUrl::fromLocalFile(file.absoluteFilePath());
    return {};
}

TLinkOpener DesktopLinkOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool OpenLink(const QString& text, const TLinkOpener& opener)
{
    const QUrl url = AllowedLinkUrl(text);
    if (!url.isValid() || !opener)
        return false;
    return opener(url);
}
