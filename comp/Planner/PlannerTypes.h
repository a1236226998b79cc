// The enumerations the planner's model and view share, and the forward declarations of its
// classes, so that the item, the display settings and the control can name one another
// without including one another.
#pragma once

class TCustomPlanner;
class TPlannerGrid;
class TPlannerItem;
class TPlannerItems;
class TPlannerDisplay;
class TPlannerMode;

enum class TCaptionType
{
    ctNone,
    ctText,
    ctTime,
    ctTimeText
};

enum class TPlannerShape
{
    psRect,
    psRounded,
    psHexagon,
    psTool,
    psSkin
};

enum class TItemImagePosition
{
    ipHorizontal,
    ipVertical
};

enum class TCompletionDisplay
{
    cdNone,
    cdVertical,
    cdHorizontal
};

enum class TPlannerItemEdit
{
    peMemo,
    peEdit,
    peMaskEdit,
    peRichText,
    peCustom,
    peForm
};

enum class TPlannerLinkType
{
    ltLinkFull,
    ltLinkBeginMove,
    ltLinkEndMove,
    ltLinkEndOnly,
    ltLinkBeginOnly
};

enum class TAlarmNotifyType
{
    anCaption,
    anNotes,
    anMessage
};

enum class TAlarmTime
{
    atBefore,
    atAfter,
    atBoth
};

enum class TPlannerType
{
    plDay,
    plWeek,
    plMonth,
    plDayPeriod,
    plHalfDayPeriod,
    plMultiMonth,
    plCustom,
    plTimeLine,
    plCustomList
};

enum class TSideBarPosition
{
    spLeft,
    spRight,
    spTop,
    spLeftRight
};

enum class THourType
{
    ht24hrs,
    ht12hrs,
    htAMPM0,
    htAMPM1,
    htAMPMOnce
};
