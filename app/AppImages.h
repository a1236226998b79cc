// The program's own small pictures: the three 16 x 16 header images of the to-do list
// (notes, priority, subject) and the image of the raw-table tabs, drawn in code so that
// nothing is loaded from outside.
#pragma once

#include "platform/gfx/ImageList.h"

#include <QIcon>

// Fills list with the header images: 0 notes, 1 priority, 2 subject.
void FillHeaderImages(TImageList& list);

// The icon of the tabs that show a raw table.
QIcon TableTabIcon();

// An image of a list as an icon; an empty icon for an index out of range.
QIcon ImageListIcon(const TImageList& list, int index);
