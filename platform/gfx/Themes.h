// The one switch between the two looks every control has: the plain look drawn pixel by
// pixel by our own code, and the "visual styles" look drawn through the application's
// QStyle. Off by default so that pictures do not depend on the platform style; the
// application turns it on at start when it wants the native look. The colours of themed
// parts that controls draw themselves are read from the style here as well.
#pragma once

#include "platform/core/Color.h"

bool UseVisualStyles();            // false
void SetUseVisualStyles(bool use); // also false when there is no QApplication to draw with

// The colour the application's style frames a single-line edit with: what a control draws its
// own thin border in to match the edits around it. Needs a QApplication.
TColor ThemedEditBorderColor();
