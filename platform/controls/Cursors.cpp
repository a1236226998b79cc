// The cursor table. Standard numbers map onto Qt's shapes; the program's own pictures live in
// the controls' resources and are registered the first time the table is used.
#include "platform/controls/Cursors.h"

#include <QPixmap>
#include <QWidget>
#include <map>

namespace {

bool loadInto(std::map<TCursor, QCursor>& custom, TCursor cursor, const QString& name, int hotX,
              int hotY)
{
    const QPixmap picture(QStringLiteral(":/deskhive/cursors/%1.png").arg(name));
    if (picture.isNull() || cursor <= 0)
        return false;
    custom[cursor] = QCursor(picture, hotX, hotY);
    return true;
}

struct CursorTable
{
    CursorTable()
    {
        initControlResources();
        // The lens centre is where a zoom click lands.
        loadInto(custom, crZoomIn, "VelkoZOOMIN", 12, 12);
        loadInto(custom, crZoomOut, "VelkoZOOMOUT", 12, 12);
    }
    // Resource initialisation must be called from outside any namespace (Qt's rule).
    static void initControlResources();

    std::map<TCursor, QCursor> custom;
};

CursorTable& table()
{
    static CursorTable t;
    return t;
}

std::map<TCursor, QCursor>& customCursors()
{
    return table().custom;
}

Qt::CursorShape standardShape(TCursor cursor)
{
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
        return Qt::DragMoveCursor;
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

static void initResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(controls);
}

void CursorTable::initControlResources()
{
    initResourcesOutsideNamespace();
}

QCursor TScreenCursors::Get(TCursor cursor)
{
    if (cursor > 0) {
        const auto& custom = customCursors();
        if (auto it = custom.find(cursor); it != custom.end())
            return it->second;
        return QCursor(Qt::ArrowCursor);
    }
    return QCursor(standardShape(cursor));
}

bool TScreenCursors::IsRegistered(TCursor cursor)
{
    return cursor <= 0 || customCursors().count(cursor) != 0;
}

void TScreenCursors::Set(TCursor cursor, const QCursor& shape)
{
    // Standard numbers are fixed meanings, not slots.
    if (cursor <= 0)
        return;
    customCursors()[cursor] = shape;
}

bool TScreenCursors::LoadFromResource(TCursor cursor, const QString& name, int hotX, int hotY)
{
    return loadInto(customCursors(), cursor, name, hotX, hotY);
}

void SetControlCursor(QWidget& control, TCursor cursor)
{
    if (cursor == crDefault)
        control.unsetCursor();
    else
        control.setCursor(TScreenCursors::Get(cursor));
}
