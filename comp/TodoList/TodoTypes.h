// The small vocabulary every file of the to-do list shares: what a column shows, an item's
// priority and status, the looks that are chosen by name (grid lines, check marks, sort
// direction, alignment), and the exception the text-to-value conversions raise.
#pragma once

#include "comp/planutil/PlanUtil.h" // TAlignment, TVAlignment
#include "platform/core/Exceptions.h"

// What a column shows, stored as 0..14.
enum class TTodoData
{
    tdSubject,
    tdCompletion,
    tdNotes,
    tdPriority,
    tdDueDate,
    tdStatus,
    tdImage,
    tdComplete,
    tdTotalTime,
    tdCompletionDate,
    tdCreationDate,
    tdResource,
    tdHandle,
    tdProject,
    tdCategory
};
inline constexpr int TodoDataCount = 15;

// Stored as 0..4.
enum class TTodoPriority
{
    tpLowest,
    tpLow,
    tpNormal,
    tpHigh,
    tpHighest
};
inline constexpr int TodoPriorityCount = 5;

// Stored as 0..3: completed is 1, deferred comes last.
enum class TTodoStatus
{
    tsNotStarted,
    tsCompleted,
    tsInProgress,
    tsDeferred
};
inline constexpr int TodoStatusCount = 4;

// Percent complete, 0..100.
using TCompletion = int;

enum class TSortDirection
{
    sdAscending,
    sdDescending
};

enum class TGridLineStyle
{
    glsNone,
    glsItems, // lines on the rows only
    glsAlways // also in the empty area below the last row
};

enum class TCheckType
{
    ctCheckBox,
    ctCheckMark,
    ctGlyph
};

enum class TBorderStyle
{
    bsNone,
    bsSingle
};

// An unknown status or priority text given to a conversion.
class EConversionFunctionException : public Exception
{
public:
    using Exception::Exception;
};
