// Opening the link an edit shows: the text is turned into a URL only when it is one of the
// kinds we allow (http, https, mailto, an existing local file) and then handed to the desktop
// services, never to a shell. The opener is a replaceable function so that tests can see
// what would be opened without opening anything.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The URL a link text stands for: "www." texts become http, "name@host" becomes mailto, an
// existing local file a file URL. Anything else (other schemes, missing files, control
// characters) gives an invalid URL.
QUrl AllowedLinkUrl(const QString& text);

using TLinkOpener = std::function<bool(const QUrl& url)>;

// QDesktopServices::openUrl.
TLinkOpener DesktopLinkOpener();

// Opens text through opener when it is allowed; false when it is not or the opener failed.
bool OpenLink(const QString& text, const TLinkOpener& opener);
