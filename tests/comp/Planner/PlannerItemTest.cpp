// Planner items and their collection: settings that guard or imply others, placement and
// visibility, linked items, copies and groups, destruction order, selection and focus,
// placement after a user's move.
#include "PlannerFixture.h"
#include "platform/core/Exceptions.h"

#include <QObject>
#include <QPointer>
#include <climits>
#include <iterator>
#include <random>

namespace {

using PlannerItem = PlannerFixture;

TEST_F(PlannerItem, CompletionOutOfRangeRaisesAndKeepsTheValue)
{
    TPlannerItem& item = add(0, 2);
    item.SetCompletion(40);
    try {
        item.SetCompletion(101);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Completion cannot be larger than 100"));
    }
    try {
        item.SetCompletion(-1);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Completion cannot be smaller than 0"));
    }
    EXPECT_EQ(item.Completion(), 40);
}

TEST_F(PlannerItem, BackgroundFixesTheItemAndTheFlagsStay)
{
    TPlannerItem& item = add(0, 2);
    item.SetBackground(true);
    EXPECT_TRUE(item.ReadOnly());
    EXPECT_TRUE(item.FixedPos());
    EXPECT_TRUE(item.FixedSize());
    EXPECT_FALSE(item.AllowOverlap());
    item.SetBackground(false);
    EXPECT_TRUE(item.ReadOnly());
    EXPECT_TRUE(item.FixedPos());
    EXPECT_TRUE(item.FixedSize());
}

TEST_F(PlannerItem, DefaultsComeFromThePlanner)
{
    TPlannerItem& item = items().Add();
    EXPECT_EQ(item.ItemBegin(), 16);
    EXPECT_EQ(item.ItemEnd(), 17);
    EXPECT_FALSE(item.Visible()) << "visible only once placed";
    EXPECT_EQ(item.Color(), clWhite);
    EXPECT_EQ(item.ColorTo(), clBtnFace);
    EXPECT_EQ(item.ImageID(), -1);
    EXPECT_EQ(item.GroupID(), -1);
    EXPECT_TRUE(item.AllowOverlap());
    item.SetItemBegin(3);
    EXPECT_TRUE(item.Visible());
    item.SetItemBegin(-4);
    EXPECT_EQ(item.ItemBegin(), 0);
    // Items copy the template, whose overlap setting was fixed when the planner was made.
    planner->Sidebar().SetPosition(TSideBarPosition::spTop);
    EXPECT_TRUE(items().Add().AllowOverlap());
}

TEST_F(PlannerItem, NewItemsCopyTheDefaultItem)
{
    planner->DefaultItem().SetColor(clRed);
    planner->DefaultItem().SetCaptionText(QStringLiteral("new"));
    TPlannerItem& item = items().Add();
    EXPECT_EQ(item.Color(), clRed);
    EXPECT_EQ(item.CaptionText(), QStringLiteral("new"));
}

TEST_F(PlannerItem, PlacementKeepsMinutesAndVisibility)
{
    TPlannerItem& item = add(18, 21, 1);
    EXPECT_EQ(item.BeginMinutes(), 18 * 30);
    EXPECT_EQ(item.EndMinutes(), 21 * 30);
    item.SetVisible(false);
    item.SetItemEnd(22);
    EXPECT_FALSE(item.Visible()) << "a new end keeps the visibility";
    item.SetItemPos(2);
    EXPECT_TRUE(item.Visible()) << "a new position shows it";
    item.SetInHeader(true);
    EXPECT_FALSE(item.Visible());
    EXPECT_EQ(items().FindFirstHeaderItem(2), &item);
    item.SetInHeader(false);
    EXPECT_TRUE(item.Visible());
}

TEST_F(PlannerItem, FindKeyIsCaseSensitive)
{
    add(0, 1).SetDBKey(QStringLiteral("{ABC}"));
    EXPECT_NE(items().FindKey(QStringLiteral("{ABC}")), nullptr);
    EXPECT_EQ(items().FindKey(QStringLiteral("{abc}")), nullptr);
}

TEST_F(PlannerItem, FreeingTheSelectedItemSelectsTheNextOrThePrevious)
{
    TPlannerItem& a = add(0, 1);
    TPlannerItem& b = add(2, 3);
    TPlannerItem& c = add(4, 5);
    items().SelectItem(&b);
    items().Free(&b);
    EXPECT_EQ(items().Selected(), &c);
    EXPECT_TRUE(c.Selected());
    EXPECT_TRUE(c.Focused());
    items().Free(&c);
    EXPECT_EQ(items().Selected(), &a) << "the last one gives way to the previous";
    items().Free(&a);
    EXPECT_EQ(items().Selected(), nullptr);
    EXPECT_EQ(items().Count(), 0);
}

TEST_F(PlannerItem, LeadItemTakesItsCopiesButACopyLeavesTheLead)
{
    TPlannerItem& lead = add(0, 2, 0);
    lead.SetGroupID(lead.Index());
    for (int pos = 1; pos < 3; ++pos) {
        TPlannerItem& copy = add(0, 2, pos);
        copy.SetGroupID(lead.Index());
        copy.SetIsCopy(true);
    }
    add(5, 6);
    items().Free(&items()[2]);
    EXPECT_EQ(items().Count(), 3);
    EXPECT_EQ(items()[1].ParentItem(), &items()[0]);
    items().Free(&items()[0]);
    ASSERT_EQ(items().Count(), 1);
    EXPECT_EQ(items()[0].ItemBegin(), 5);
}

TEST_F(PlannerItem, GroupSharesItsLookButNotItsPlace)
{
    TPlannerItem& lead = add(0, 2, 0);
    TPlannerItem& copy = add(4, 6, 1);
    lead.SetGroupID(0);
    copy.SetGroupID(0);
    copy.SetIsCopy(true);
    int changes = 0;
    planner->OnItemsChange = [&](TPlannerItems&) { ++changes; };
    lead.SetCaptionText(QStringLiteral("Review"));
    lead.SetColor(clYellow);
    EXPECT_EQ(copy.CaptionText(), QStringLiteral("Review"));
    EXPECT_EQ(copy.Color(), clYellow);
    EXPECT_EQ(copy.ItemBegin(), 4);
    EXPECT_EQ(copy.ItemPos(), 1);
    EXPECT_GE(changes, 2);
    EXPECT_EQ(copy.CaptionString(), QStringLiteral("Review"));
}

// Assigning a font is one change, whether or not the description differs.
TEST_F(PlannerItem, FontAssignmentNotifiesOnce)
{
    TPlannerItem& item = add(0, 2);
    int changes = 0;
    planner->OnItemsChange = [&](TPlannerItems&) { ++changes; };
    TFont bold = item.Font();
    bold.SetStyle(TFontStyles{TFontStyle::fsBold});
    item.SetFont(bold);
    EXPECT_EQ(changes, 1);
    item.SetFont(bold);
    EXPECT_EQ(changes, 2) << "the same description again";
    item.SetCaptionFont(bold);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(item.CaptionFont(), bold);
    item.CaptionFont().SetHeight(20);
    EXPECT_EQ(changes, 4);
}

TEST_F(PlannerItem, OwnedItemObjectIsFreedWithTheItem)
{
    TPlannerItem& owner = add(0, 1);
    QPointer<QObject> owned = new QObject;
    owner.SetItemObject(owned);
    owner.SetOwnsItemObject(true);
    TPlannerItem& borrower = add(2, 3);
    auto kept = std::make_unique<QObject>();
    borrower.SetItemObject(kept.get());
    items().Clear();
    EXPECT_TRUE(owned.isNull());
    EXPECT_EQ(items().Count(), 0);
}

// The owned object is freed before the selection leaves the item being freed.
TEST_F(PlannerItem, OwnedItemObjectGoesBeforeTheSelectionMoves)
{
    TPlannerItem& owner = add(0, 1);
    add(2, 3);
    QPointer<QObject> owned = new QObject;
    owner.SetItemObject(owned);
    owner.SetOwnsItemObject(true);
    items().SelectItem(&owner);
    bool objectGoneOnExit = false;
    planner->OnItemExit = [&](TCustomPlanner&, TPlannerItem&) {
        objectGoneOnExit = owned.isNull();
    };
    items().Free(&owner);
    EXPECT_TRUE(objectGoneOnExit);
    EXPECT_EQ(items().Selected(), &items()[0]);
}

TEST_F(PlannerItem, ClearDBItemsKeepsTheOthers)
{
    add(0, 1);
    add(1, 2).SetNotDBItem(true);
    add(2, 3);
    items().ClearDBItems();
    ASSERT_EQ(items().Count(), 1);
    EXPECT_TRUE(items()[0].NotDBItem());
    EXPECT_EQ(items()[0].Index(), 0);
}

struct LinkCase
{
    TPlannerLinkType type;
    bool moveBegin; // else the end moves by the same delta
    int linkedBegin, linkedEnd;
};

TEST_F(PlannerItem, LinkedItemFollowsByLinkType)
{
    const LinkCase cases[] = {
        {TPlannerLinkType::ltLinkFull, true, 12, 14},
        {TPlannerLinkType::ltLinkFull, false, 10, 16},
        {TPlannerLinkType::ltLinkBeginMove, true, 12, 16},
        {TPlannerLinkType::ltLinkBeginMove, false, 10, 14},
        {TPlannerLinkType::ltLinkEndMove, false, 12, 16},
        {TPlannerLinkType::ltLinkEndMove, true, 10, 14},
        {TPlannerLinkType::ltLinkEndOnly, false, 10, 16},
        {TPlannerLinkType::ltLinkBeginOnly, true, 12, 14},
        {TPlannerLinkType::ltLinkBeginOnly, false, 10, 14},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(int(c.type) * 2 + c.moveBegin);
        items().Clear();
        TPlannerItem& lead = add(2, 4);
        TPlannerItem& linked = add(10, 14, 1);
        lead.SetLinkedItem(&linked);
        lead.SetLinkType(c.type);
        if (c.moveBegin)
            lead.SetItemBegin(4);
        else
            lead.SetItemEnd(6);
        EXPECT_EQ(linked.ItemBegin(), c.linkedBegin);
        EXPECT_EQ(linked.ItemEnd(), c.linkedEnd);
    }
}

TEST_F(PlannerItem, LinkChainsDoNotRecurseAndLeavingTheDisplayCancels)
{
    TPlannerItem& a = add(2, 4);
    TPlannerItem& b = add(10, 12);
    TPlannerItem& c = add(20, 22);
    a.SetLinkedItem(&b);
    b.SetLinkedItem(&c);
    a.SetItemBegin(3);
    EXPECT_EQ(b.ItemBegin(), 11);
    EXPECT_EQ(c.ItemBegin(), 20) << "only one link is followed";
    a.SetItemBegin(43);
    EXPECT_EQ(b.ItemBegin(), 11) << "51 lies past the display";
    EXPECT_EQ(a.ItemBegin(), 43);
    a.SetItemPos(2);
    EXPECT_EQ(b.ItemPos(), 2);
    items().Free(&b);
    a.SetItemBegin(5); // the link to the freed item is gone
    EXPECT_EQ(a.LinkedItem(), nullptr);
}

TEST_F(PlannerItem, AssignCopiesSettingsButNotKeysOrGroups)
{
    TPlannerItem& source = add(4, 8, 2);
    source.SetCaptionText(QStringLiteral("Plan"));
    source.Text().Add(QStringLiteral("line 1"));
    source.Text().Add(QStringLiteral("line 2"));
    source.SetCompletion(30);
    source.SetDBKey(QStringLiteral("{K}"));
    source.SetGroupID(5);
    source.SetHint(QStringLiteral("hint"));
    TPlannerItem& target = add(0, 1);
    target.Assign(source);
    EXPECT_EQ(target.ItemBegin(), 4);
    EXPECT_EQ(target.ItemEnd(), 8);
    EXPECT_EQ(target.ItemPos(), 2);
    EXPECT_EQ(target.Completion(), 30);
    EXPECT_EQ(target.NotesText(), QStringLiteral("line 1\rline 2"));
    EXPECT_EQ(target.DBKey(), QString());
    EXPECT_EQ(target.GroupID(), -1);
    TPlannerItem& look = add(0, 1);
    look.AssignLook(source);
    EXPECT_EQ(look.ItemBegin(), 0);
    EXPECT_EQ(look.Completion(), 0);
    EXPECT_EQ(look.Hint(), QString());
    EXPECT_EQ(look.CaptionText(), QStringLiteral("Plan"));
}

TEST_F(PlannerItem, CaptionStringByCaptionType)
{
    TPlannerItem& item = add(18, 20);
    item.SetCaptionText(QStringLiteral("Call"));
    item.SetCaptionType(TCaptionType::ctNone);
    EXPECT_EQ(item.CaptionString(), QStringLiteral("Call"));
    item.SetCaptionType(TCaptionType::ctTime);
    EXPECT_EQ(item.CaptionString(), QStringLiteral("9:00 - 10:00"));
    item.SetCaptionType(TCaptionType::ctTimeText);
    EXPECT_EQ(item.CaptionString(), QStringLiteral("9:00 - 10:00 Call"));
}

TEST_F(PlannerItem, FocusAndCurrentTimeRaiseTheirEvents)
{
    TPlannerItem& a = add(2, 6, 0);
    TPlannerItem& b = add(2, 6, 1);
    QStringList log;
    planner->OnItemEnter = [&](TCustomPlanner&, TPlannerItem& i) {
        log << QStringLiteral("enter %1").arg(i.Index());
    };
    planner->OnItemExit = [&](TCustomPlanner&, TPlannerItem& i) {
        log << QStringLiteral("exit %1").arg(i.Index());
    };
    planner->OnItemActivate = [&](TCustomPlanner&, TPlannerItem& i) {
        log << QStringLiteral("on %1").arg(i.Index());
    };
    planner->OnItemDeActivate = [&](TCustomPlanner&, TPlannerItem& i) {
        log << QStringLiteral("off %1").arg(i.Index());
    };
    int selected = 0;
    planner->OnItemSelect = [&](TCustomPlanner&, TPlannerItem&) { ++selected; };
    items().SelectItem(&a);
    items().SelectItem(&b);
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(items().SelCount(), 1);
    planner->Display().SetCurrentPosFrom(1);
    planner->Display().SetCurrentPosTo(1);
    planner->UpdateCurrentItems(3);
    planner->UpdateCurrentItems(7);
    EXPECT_EQ(log, (QStringList{QStringLiteral("enter 0"), QStringLiteral("exit 0"),
                                QStringLiteral("enter 1"), QStringLiteral("on 1"),
                                QStringLiteral("off 1")}));
}

TEST_F(PlannerItem, FocusNextSkipsBackgroundItemsAndRunsOut)
{
    TPlannerItem& a = add(0, 1);
    add(1, 2).SetBackground(true);
    TPlannerItem& c = add(2, 3);
    items().FocusNextItem();
    EXPECT_EQ(items().Selected(), &a);
    items().FocusNextItem();
    EXPECT_EQ(items().Selected(), &c);
    items().FocusNextItem();
    EXPECT_EQ(items().Selected(), nullptr);
    items().FocusPrevItem();
    EXPECT_EQ(items().Selected(), &c);
}

TEST_F(PlannerItem, SelectItemAtWithToggleAndMultiSelect)
{
    planner->Grid().SetColWidths(1, 100);
    planner->Grid().SetColWidths(2, 100);
    TPlannerItem& a = add(0, 4, 0);
    TPlannerItem& b = add(0, 4, 1);
    EXPECT_EQ(items().SelectItemAt(1, 0, false, 20), &a);
    EXPECT_EQ(items().SelectItemAt(1, 1, true, 20), &b);
    EXPECT_FALSE(a.Selected()) << "toggle without multi-select unselects the others";
    planner->SetMultiSelect(true);
    items().SelectItemAt(1, 0, true, 20);
    EXPECT_TRUE(a.Selected());
    EXPECT_TRUE(b.Selected());
    EXPECT_FALSE(b.Focused());
    items().SelectItemAt(1, 0, true, 20);
    EXPECT_FALSE(a.Selected()) << "a selected hit is unselected by a toggle";
}

// An item ends before its end cell: there the next item is hit, or none.
TEST_F(PlannerItem, HitTestsStopBeforeTheEndCell)
{
    planner->Grid().SetColWidths(1, 100);
    TPlannerItem& a = add(2, 5);
    TPlannerItem& b = add(5, 7); // from a's end cell on: beside it, not beside each other
    struct Case
    {
        int cell;
        TPlannerItem* hit;
    };
    const Case cases[] = {{1, nullptr}, {2, &a}, {4, &a}, {5, &b}, {6, &b}, {7, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(items().FindItemAtCell(c.cell, 0), c.hit);
        EXPECT_EQ(items().FindItemAtPixel(c.cell, 0, 20), c.hit);
    }
}

TEST_F(PlannerItem, OverlapTestHonoursAllowOverlapAndThePlanner)
{
    TPlannerItem& a = add(4, 8);
    EXPECT_FALSE(items().HasOverlap(6, 10, 0));
    planner->SetOverlap(false);
    EXPECT_TRUE(items().HasOverlap(6, 10, 0));
    EXPECT_FALSE(items().HasOverlap(8, 10, 0));
    EXPECT_FALSE(items().HasOverlap(6, 10, 1));
    items().SelectItem(&a);
    EXPECT_FALSE(items().HasOverlap(6, 10, 0)) << "the selected item is left out";
    EXPECT_EQ(items().FindFirstItem(0, 5, 0), &a);
    EXPECT_EQ(items().FindNextItem(0, 5, 0), nullptr);
}

TEST_F(PlannerItem, PlaceUpdateLetsTheApplicationChangeThePlace)
{
    TPlannerItem& item = add(4, 8);
    item.SetHasExactTimes(true);
    planner->OnItemPlaceUpdate = [](TCustomPlanner&, TPlannerItem&, int& b, int& e, int& pos) {
        b += 1;
        e += 1;
        pos = 2;
    };
    item.PlaceUpdate(10, 12);
    EXPECT_FALSE(item.HasExactTimes());
    EXPECT_EQ(item.ItemBegin(), 11);
    EXPECT_EQ(item.ItemEnd(), 13);
    EXPECT_EQ(item.ItemPos(), 2);
}

struct ClippedCase
{
    const char* name;
    int begin, end, beginOffset, endOffset;
    int newBegin, newEnd;
    int wantBegin, wantEnd, wantBeginOffset, wantEndOffset, wantAnchor;
};

TEST_F(PlannerItem, PlaceUpdateClippedKeepsTheHiddenParts)
{
    const ClippedCase cases[] = {
        // Hidden before the display, moved 2 later: the hidden part shrinks, the visible
        // begin stays.
        {"begin hidden, later", 0, 4, 3, 0, 2, 6, 0, 6, 1, 0, 8},
        // Moved 5 later, more than was hidden: fully in view, 2 cells on, its length kept.
        {"begin hidden, past it", 0, 4, 3, 0, 5, 9, 2, 9, 0, 0, 5},
        // Hidden after the display, moved 2 earlier.
        {"end hidden, earlier", 44, 48, 0, 3, 42, 46, 42, 48, 0, 1, 10},
        // Moved off the far end: clipped to the grid's 48 cells.
        {"runs off the end", 40, 44, 0, 0, 46, 50, 46, 48, 0, 2, 10},
        // Moved before the first cell.
        {"before the start", 2, 6, 0, 0, -3, 1, 0, 1, 3, 0, 15},
    };
    for (const ClippedCase& c : cases) {
        SCOPED_TRACE(c.name);
        items().Clear();
        TPlannerItem& item = add(c.begin, c.end);
        item.SetBeginOffset(c.beginOffset);
        item.SetEndOffset(c.endOffset);
        int anchor = 10;
        item.PlaceUpdateClipped(c.newBegin, c.newEnd, 0, anchor);
        EXPECT_EQ(item.ItemBegin(), c.wantBegin);
        EXPECT_EQ(item.ItemEnd(), c.wantEnd);
        EXPECT_EQ(item.BeginOffset(), c.wantBeginOffset);
        EXPECT_EQ(item.EndOffset(), c.wantEndOffset);
        EXPECT_EQ(anchor, c.wantAnchor);
    }
}

TEST_F(PlannerItem, RepaintInvalidatesTheCellsOfTheItemAndItsNeighbours)
{
    TPlannerItem& a = add(2, 6);
    add(5, 9);
    TPlannerGrid& grid = planner->Grid();
    grid.ResetInvalidatedCells();
    a.RepaintItem();
    EXPECT_EQ(grid.InvalidatedCells(), 7) << "cells 2 to 8";
    grid.ResetInvalidatedCells();
    items().BeginUpdate();
    a.SetColor(clRed);
    EXPECT_EQ(grid.InvalidatedCells(), 0);
    items().EndUpdate();
}

} // namespace

namespace {

// A linked move inside an update releases one level of it, as a pending end-update would,
// and lays the items out when that was the last level.
TEST_F(PlannerItem, LinkedMoveReleasesOneUpdateLevel)
{
    TPlannerItem& lead = add(2, 4);
    TPlannerItem& linked = add(10, 12);
    lead.SetLinkedItem(&linked);
    int layouts = 0;
    planner->OnItemsLayout = [&](TPlannerItems&) { ++layouts; };
    items().BeginUpdate();
    lead.SetItemBegin(3);
    EXPECT_EQ(items().UpdateCount(), 0);
    EXPECT_GT(layouts, 0);
    EXPECT_EQ(linked.ItemBegin(), 11);
    items().EndUpdate(); // nothing left to release
    EXPECT_EQ(items().UpdateCount(), 0);
}

TEST_F(PlannerItem, TurnedGridLaysOutAlongColumns)
{
    planner->Sidebar().SetPosition(TSideBarPosition::spTop);
    EXPECT_EQ(planner->Grid().ColCount(), 48);
    EXPECT_EQ(planner->Grid().RowCount(), 4);
    EXPECT_EQ(planner->Grid().FixedRows(), 1);
    TPlannerItem& a = add(0, 4, 1);
    TPlannerItem& b = add(2, 6, 1);
    EXPECT_EQ(a.Conflicts(), 2);
    EXPECT_EQ(b.ConflictPos(), 1);
    EXPECT_EQ(planner->Grid().PositionToLine(1), 2);
    planner->Sidebar().SetPosition(TSideBarPosition::spRight);
    EXPECT_EQ(planner->Grid().ColCount(), 4);
    EXPECT_EQ(planner->Grid().FixedCols(), 0);
    EXPECT_EQ(planner->Grid().PositionToLine(1), 1);
}

TEST_F(PlannerItem, InHeaderItemsLeaveTheLayout)
{
    TPlannerItem& a = add(0, 4);
    TPlannerItem& b = add(0, 4);
    EXPECT_EQ(a.Conflicts(), 2);
    b.SetInHeader(true);
    EXPECT_EQ(a.Conflicts(), 1);
    EXPECT_EQ(items().FindItemAtCell(1, 0), &a);
}

} // namespace

namespace {

// Random placements, links, groups, selections and frees with values from the far ends:
// nothing fails, the selection and the links never point at a freed item, and the layout
// still agrees with itself when run again.
TEST_F(PlannerItem, RandomOperationsKeepTheCollectionSound)
{
    std::mt19937 rng(4242);
    const int values[] = {0, 1, 2, 5, 47, 48, 49, -1, -7, 1000, INT_MAX, INT_MIN, INT_MAX / 2};
    auto value = [&] { return values[rng() % std::size(values)]; };
    planner->Grid().SetColWidths(1, 90);
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const int count = items().Count();
        TPlannerItem* some = count > 0 ? &items()[int(rng() % unsigned(count))] : nullptr;
        switch (rng() % 12) {
        case 0:
        case 1:
            add(value(), value(), int(rng() % 5) - 1);
            break;
        case 2:
            if (some)
                some->SetItemBegin(value());
            break;
        case 3:
            if (some)
                some->SetItemEnd(value());
            break;
        case 4:
            if (some)
                some->SetItemPos(value());
            break;
        case 5:
            if (some && count > 1) {
                some->SetLinkedItem(&items()[int(rng() % unsigned(count))]);
                some->SetLinkType(TPlannerLinkType(rng() % 5));
            }
            break;
        case 6:
            if (some) {
                some->SetGroupID(int(rng() % 3) - 1);
                some->SetIsCopy(rng() % 2 == 0);
                some->SetColor(TColor(rng() & 0xFFFFFF));
            }
            break;
        case 7:
            if (some)
                items().Free(some);
            break;
        case 8:
            if (some)
                items().SelectItem(some);
            else
                items().FocusNextItem();
            break;
        case 9: {
            (void)items().SelectItemAt(value(), value(), rng() % 2 == 0, value());
            (void)items().FindItemAtPixel(value(), value(), value());
            (void)items().HasOverlap(value(), value(), value());
            break;
        }
        case 10:
            if (some) {
                int anchor = value();
                some->SetBeginOffset(value());
                some->SetEndOffset(value());
                some->PlaceUpdateClipped(value(), value(), value(), anchor);
            }
            break;
        case 11:
            if (rng() % 2)
                items().BeginUpdate();
            else
                items().EndUpdate();
            break;
        }
        for (int i = 0; i < items().Count(); ++i) {
            const TPlannerItem& item = items()[i];
            ASSERT_GE(item.ItemBegin(), 0);
            ASSERT_EQ(item.Index(), i);
            if (item.LinkedItem()) {
                bool found = false;
                for (int j = 0; j < items().Count(); ++j)
                    found = found || &items()[j] == item.LinkedItem();
                ASSERT_TRUE(found) << "a link to a freed item";
            }
        }
        if (items().Selected()) {
            bool found = false;
            for (int j = 0; j < items().Count(); ++j)
                found = found || &items()[j] == items().Selected();
            ASSERT_TRUE(found) << "the selection is a freed item";
        }
    }
    while (items().UpdateCount() > 0)
        items().EndUpdate();
}

} // namespace
