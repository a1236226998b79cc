// TNuvEdit's auto-complete list (filling and placing the pop-up while the user types, the
// keys that move in it, choosing an entry, the history of entered texts) and the persistence
// of the edit's text and remembered entries in an INI file or the native settings store.
#include "comp/NuvEdit/ListHintWindow.h"
#include "comp/NuvEdit/NuvEdit.h"
#include "platform/core/RaiseEvent.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QSettings>
#include <QStyle>

namespace {
constexpr int RowHeight = 12;

const QString LookupCountKey = QStringLiteral("LOOKUPCOUNT");
const QString LookupDisplayKey = QStringLiteral("LOOKUPDISPL");
const QString LookupValueKey = QStringLiteral("LOOKUPVAL");

// A plain INI line with commas (as other programs write them) reads as a list; what this
// edit keeps there is one text. The blanks around the commas are gone by then: one after
// each comma is put back, as such lists are usually written.
QString storedText(const QSettings& store, const QString& key, const QString& fallback = {})
{
    const QVariant value = store.value(key, fallback);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
} // namespace

bool TNuvEdit::LookupShown() const
{
    return m_popup && m_popup->isVisible();
}

void TNuvEdit::updateLookup()
{
    if (!m_lookup.Enabled())
        return;
    const QString v = Text();
    QString typed = v;
    int offset = 0;
    if (m_lookup.Multi()) {
        const qsizetype at = v.lastIndexOf(m_lookup.Separator());
        if (at >= 0) {
            offset = int(at + m_lookup.Separator().size());
            typed = v.mid(offset);
        }
    }
    if (typed.size() < m_lookup.NumChars()) {
        m_popup->hide();
        return;
    }
    const Qt::CaseSensitivity cs =
        m_lookup.CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    std::vector<std::pair<QString, int>> rows;
    const TStringList& list = m_lookup.DisplayList();
    for (int i = 0; i < list.Count(); ++i)
        if (list[i].startsWith(typed, cs))
            rows.emplace_back(list[i], i);
    TLookupListBox* box = m_popup->ListControl();
    const int count = int(rows.size());
    int widest = 50;
    {
        const QFontMetrics fm(box->Font().ToQFont());
        for (const auto& row : rows)
            widest = std::max(widest, fm.horizontalAdvance(row.first));
    }
    box->SetRows(std::move(rows));
    box->SetColor(clWindow);
    if (count > 0)
        box->SetItemIndex(0);
    const int shownRows = std::min(count, m_lookup.DisplayCount());
    const int height = std::max(1, shownRows) * RowHeight + 4;
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    const int left = origin.x() + xOfPosition(prefixLength() + offset) + 8;
    const int top = origin.y() + this->height() - 6;
    int width = m_popup->width();
    if (!m_popup->isVisible()) {
        width = widest + 10;
        if (count > m_lookup.DisplayCount())
            width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    m_popup->setGeometry(left, top, width, height);
    if (count > 0) {
        m_popup->show();
        m_popup->raise();
    } else {
        m_popup->hide();
    }
}

bool TNuvEdit::lookupKey(int key)
{
    TLookupListBox* box = m_popup->ListControl();
    const int count = box->Count();
    const int page = m_lookup.DisplayCount();
    const int at = box->ItemIndex();
    switch (key) {
    case VK_RETURN:
        chooseLookup();
        return true;
    case VK_UP:
        box->SetItemIndex(std::max(0, at - 1));
        return true;
    case VK_DOWN:
        box->SetItemIndex(std::min(count - 1, at + 1));
        return true;
    case VK_NEXT:
        box->SetItemIndex(at + page < count ? at + page : count - 1);
        return true;
    case VK_PRIOR:
        box->SetItemIndex(at > page ? at - page : 0);
        return true;
    case VK_HOME:
        box->SetItemIndex(0);
        return true;
    case VK_END:
        box->SetItemIndex(count - 1);
        return true;
    default:
        return false;
    }
}

void TNuvEdit::chooseLookup()
{
    TLookupListBox* box = m_popup->ListControl();
    const int row = box->ItemIndex();
    {
        // The list loses the activation on the way: that is no leaving of the edit.
        const bool wasChoosing = m_choosing;
        m_choosing = true;
        raise();
        activateWindow();
        setFocus(Qt::OtherFocusReason);
        m_popup->hide();
        m_choosing = wasChoosing;
    }
    if (row < 0 || row >= box->Count())
        return;
    const int entry = box->RowEntry(row);
    QString chosen = entry >= 0 && entry < m_lookup.ValueList().Count()
                         ? m_lookup.ValueList()[entry]
                         : box->RowText(row);
    Raise(OnLookupSelect, *this, chosen);
    if (!m_lookup.Multi()) {
        SetValueText(chosen);
        setSelection(prefixLength(), int(Text().size()));
        return;
    }
    const QString v = Text();
    const qsizetype at = v.lastIndexOf(m_lookup.Separator());
    const QString head = at >= 0 ? v.left(at + m_lookup.Separator().size()) : QString();
    SetValueText(head + chosen + m_lookup.Separator());
    setCursorPosition(prefixLength() + int(Text().size()));
}

void TNuvEdit::addHistory()
{
    if (!m_lookup.Enabled() || !m_lookup.History())
        return;
    const QString v = Text().trimmed();
    if (v.isEmpty())
        return;
    // Remembered as typed: the list offers what the user entered, in its case.
    if (!m_lookup.DisplayList().Lines().contains(v))
        m_lookup.DisplayList().Add(v);
}

// --- Persistence ---------------------------------------------------------------------------

std::unique_ptr<QSettings> TNuvEdit::openStore()
{
    if (!m_persistence.Enable())
        return nullptr;
    std::unique_ptr<QSettings> store;
    if (m_persistence.Location() == TPersistenceLocation::plInifile) {
        if (m_persistence.Key().isEmpty()) {
            const QFileInfo program(QCoreApplication::applicationFilePath());
            const QString base =
                program.suffix().isEmpty() ? program.fileName() : program.completeBaseName();
            m_persistence.SetKey(program.absolutePath() + QStringLiteral("/") + base +
                                 QStringLiteral(".INI"));
        }
        store = std::make_unique<QSettings>(m_persistence.Key(), QSettings::IniFormat);
    } else {
        // A key path of the classic form ("Software\Company\Program") names the store's
        // organisation folders and application.
        QString path = m_persistence.Key();
        path.replace(u'\\', u'/');
        QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
        if (parts.isEmpty())
            parts << QCoreApplication::applicationName();
        const QString application = parts.takeLast();
        const QString organization = parts.join(u'/');
        store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            organization.isEmpty() ? application : organization,
                                            organization.isEmpty() ? QString() : application);
    }
    if (!m_persistence.Section().isEmpty())
        store->beginGroup(m_persistence.Section());
    return store;
}

void TNuvEdit::SavePersistence()
{
    std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    if (!objectName().isEmpty())
        store->setValue(objectName(), QLineEdit::text());
    if (m_lookup.Enabled() && m_lookup.History()) {
        const TStringList& display = m_lookup.DisplayList();
        const TStringList& values = m_lookup.ValueList();
        store->setValue(LookupCountKey, display.Count());
        for (int i = 1; i <= display.Count(); ++i) {
            store->setValue(LookupDisplayKey + QString::number(i), display[i - 1]);
            if (values.Count() >= i)
                store->setValue(LookupValueKey + QString::number(i), values[i - 1]);
            else if (store->contains(LookupValueKey + QString::number(i)))
                // A value left from an earlier, longer list would come back for this entry.
                // Asking first makes the INI reader parse the section: a removal from a
                // section it has not read yet would be lost when the file is written.
                store->remove(LookupValueKey + QString::number(i));
        }
    }
    store->sync();
}

void TNuvEdit::LoadPersistence()
{
    std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    if (m_lookup.Enabled() && m_lookup.History()) {
        bool ok = false;
        const int count = store->value(LookupCountKey, 0).toInt(&ok);
        // A damaged count reads nothing rather than a huge number of empty entries.
        const int n = ok ? std::clamp(count, 0, 100000) : 0;
        for (int i = 1; i <= n; ++i) {
            const QString value = storedText(*store, LookupValueKey + QString::number(i));
            if (!value.isEmpty())
                m_lookup.ValueList().Add(value);
            const QString display = storedText(*store, LookupDisplayKey + QString::number(i));
            if (!display.isEmpty())
                m_lookup.DisplayList().Add(display);
        }
    }
    if (objectName().isEmpty())
        return;
    const QString text = storedText(*store, objectName(), QStringLiteral("@"));
    if (text != QStringLiteral("@"))
        QLineEdit::setText(text);
}
