// The list's built-in pictures, drawn here as pixel art: the five 12 x 12 priority marks
// (on white, which is transparent) and the two 16 x 16 note pads (on magenta, transparent
// through the bottom-left pixel): filled for a completed check mark and the drag handle,
// empty for an uncompleted check mark.
#pragma once

class TBitmap;
class TImageList;

// Image 0 two red exclamation marks (highest), 1 one (high), 2 a black dash (normal), 3 one
// blue down arrow (low), 4 two (lowest): image 4 - priority shows a priority.
const TImageList& TodoPriorityImages();
// The strip the priority images are cut from, 60 x 12.
const TBitmap& TodoPriorityStrip();
const TBitmap& TodoNotePadFilled();
const TBitmap& TodoNotePadEmpty();
