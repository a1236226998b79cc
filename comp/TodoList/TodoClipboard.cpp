// Writing and checking the item payload, and the clipboard calls.
#include "comp/TodoList/TodoClipboard.h"

#include <QClipboard>
#include <QDataStream>
#include <QGuiApplication>
#include <QIODevice>
#include <QMimeData>
#include <cmath>
#include <optional>

namespace {

constexpr char Signature[8] = {'D', 'H', 'T', 'O', 'D', 'O', 'I', 'T'};
constexpr quint16 FormatVersion = 1;
// Notes beyond this many lines are not a to-do item's; the limit keeps a damaged count
// from making us reserve memory for it.
constexpr quint32 MaxLines = 1000000;

quint32 checksum(const QByteArray& bytes)
{
    // FNV-1a: enough to tell a damaged payload from ours.
    quint32 h = 2166136261u;
    for (char c : bytes) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    return h;
}

void writeText(QDataStream& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    out << quint32(utf8.size());
    out.writeRawData(utf8.constData(), int(utf8.size()));
}

// The values of one item, read in full before any reaches an item.
struct ItemValues
{
    qint32 imageIndex = -1;
    QStringList notes;
    qint32 tag = 0;
    double totalTime = 0;
    QString subject;
    quint8 completion = 0;
    double dueDate = 0;
    quint8 priority = 0;
    quint8 status = 0;
    quint8 complete = 0;
    double creationDate = 0;
    double completionDate = 0;
    QString resource, project, category;
};

class Reader
{
public:
    explicit Reader(const QByteArray& body) : m_body(body), m_in(body) {}
    bool ok() const { return m_in.status() == QDataStream::Ok; }
    template <class T>
    T number()
    {
        T v{};
        m_in >> v;
        return v;
    }
    double real()
    {
        double v = number<double>();
        if (!std::isfinite(v))
            m_bad = true;
        return v;
    }
    QString text()
    {
        const quint32 size = number<quint32>();
        if (!ok() || size > quint32(m_body.size()) - quint32(m_in.device()->pos())) {
            m_bad = true;
            return {};
        }
        QByteArray bytes(qsizetype(size), Qt::Uninitialized);
        if (m_in.readRawData(bytes.data(), int(size)) != int(size))
            m_bad = true;
        return QString::fromUtf8(bytes);
    }
    bool sound() const { return ok() && !m_bad; }
    bool atEnd() const { return m_in.atEnd(); }
    void fail() { m_bad = true; }

private:
    const QByteArray& m_body;
    QDataStream m_in;
    bool m_bad = false;
};

std::optional<ItemValues> parse(const QByteArray& payload)
{
    constexpr int headerSize = int(sizeof Signature) + 2 + 4;
    if (payload.size() < headerSize + 4 ||
        !payload.startsWith(QByteArray::fromRawData(Signature, sizeof Signature)))
        return std::nullopt;
    QDataStream head(payload);
    head.skipRawData(int(sizeof Signature));
    quint16 version = 0;
    quint32 length = 0;
    head >> version >> length;
    // A later version may lay its values out differently: refused rather than misread.
    if (version != FormatVersion || length != quint32(payload.size() - headerSize - 4))
        return std::nullopt;
    const QByteArray body = payload.mid(headerSize, qsizetype(length));
    QDataStream tail(payload.mid(headerSize + qsizetype(length)));
    quint32 sum = 0;
    tail >> sum;
    if (sum != checksum(body))
        return std::nullopt;

    Reader in(body);
    ItemValues v;
    v.imageIndex = in.number<qint32>();
    const quint32 lines = in.number<quint32>();
    if (lines > MaxLines)
        return std::nullopt;
    for (quint32 i = 0; i < lines && in.sound(); ++i)
        v.notes.append(in.text());
    v.tag = in.number<qint32>();
    v.totalTime = in.real();
    v.subject = in.text();
    v.completion = in.number<quint8>();
    v.dueDate = in.real();
    v.priority = in.number<quint8>();
    v.status = in.number<quint8>();
    v.complete = in.number<quint8>();
    v.creationDate = in.real();
    v.completionDate = in.real();
    v.resource = in.text();
    v.project = in.text();
    v.category = in.text();
    if (!in.sound() || !in.atEnd() || v.completion > 100 || v.priority >= TodoPriorityCount ||
        v.status >= TodoStatusCount || v.complete > 1)
        return std::nullopt;
    return v;
}

} // namespace

QByteArray TodoItemPayload(const TTodoItem& item)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out << qint32(item.ImageIndex()) << quint32(item.Notes().Count());
        for (const QString& line : item.Notes().Lines())
            writeText(out, line);
        out << qint32(item.Tag()) << item.TotalTime();
        writeText(out, item.Subject());
        out << quint8(item.Completion()) << item.DueDate() << quint8(item.Priority())
            << quint8(item.Status()) << quint8(item.Complete() ? 1 : 0) << item.CreationDate()
            << item.CompletionDate();
        writeText(out, item.Resource());
        writeText(out, item.Project());
        writeText(out, item.Category());
    }
    QByteArray payload(Signature, sizeof Signature);
    QDataStream out(&payload, QIODevice::Append);
    out << FormatVersion << quint32(body.size());
    out.writeRawData(body.constData(), int(body.size()));
    out << checksum(body);
    return payload;
}

bool IsTodoItemPayload(const QByteArray& payload)
{
    return parse(payload).has_value();
}

bool ReadTodoItemPayload(const QByteArray& payload, TTodoItem& target)
{
    const std::optional<ItemValues> v = parse(payload);
    if (!v)
        return false;
    TStringList notes;
    for (const QString& line : v->notes)
        notes.Add(line);
    target.SetImageIndex(v->imageIndex);
    target.SetNotes(notes);
    target.SetSubject(v->subject);
    target.SetCategory(v->category);
    target.SetComplete(v->complete != 0);
    target.SetCompletion(v->completion);
    target.SetCompletionDate(v->completionDate);
    target.SetCreationDate(v->creationDate);
    target.SetDueDate(v->dueDate);
    target.SetPriority(TTodoPriority(v->priority));
    target.SetProject(v->project);
    target.SetResource(v->resource);
    target.SetStatus(TTodoStatus(v->status));
    target.SetTag(v->tag);
    target.SetTotalTime(v->totalTime);
    return true;
}

void CopyTodoItemToClipboard(const TTodoItem& item)
{
    auto* data = new QMimeData; // the clipboard takes it over
    data->setData(TodoItemClipboardFormat, TodoItemPayload(item));
    QGuiApplication::clipboard()->setMimeData(data);
}

TTodoItem* PasteTodoItemFromClipboard(TTodoItemCollection& items)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(TodoItemClipboardFormat))
        return nullptr;
    const QByteArray payload = data->data(TodoItemClipboardFormat);
    if (!IsTodoItemPayload(payload))
        return nullptr;
    TTodoItem& item = items.Add();
    ReadTodoItemPayload(payload, item);
    return &item;
}
