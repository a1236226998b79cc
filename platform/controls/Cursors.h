// Cursors by number, as the components store them: the standard shapes have the classic
// negative numbers (crDrag -12, crHandPoint -21, ...), and the program's own cursors are
// registered under positive numbers (crZoomIn 100, crZoomOut 101, loaded from the cursor
// pictures "VelkoZOOMIN" and "VelkoZOOMOUT" that ship with the controls).
#pragma once

#include <QCursor>
#include <QString>

using TCursor = int;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSize = -22;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

inline constexpr TCursor crZoomIn = 100;
inline constexpr TCursor crZoomOut = 101;

// The screen's cursor table: standard shapes, the program's own cursors and any a component
// registers.
class TScreenCursors
{
public:
    // The cursor of a number; numbers with nothing registered give the arrow.
    static QCursor Get(TCursor cursor);
    static bool IsRegistered(TCursor cursor);
    // Registers (or replaces) a cursor under a positive number.
    static void Set(TCursor cursor, const QCursor& shape);
    // Loads the cursor picture of that resource name (e.g. "VelkoZOOMIN") with its hot spot
    // and registers it; false when there is no such picture.
    static bool LoadFromResource(TCursor cursor, const QString& name, int hotX, int hotY);
};

// Shows cursor over the control (crDefault: the control's normal cursor).
void SetControlCursor(QWidget& control, TCursor cursor);
