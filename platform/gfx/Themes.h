// The one switch between the two looks every control has: the plain look drawn pixel by
// pixel by our own code, and the "visual styles" look drawn through the application's
// QStyle. Off by default so that pictures do not depend on the platform style; the
// application turns it on at start when it wants the native look.
#pragma once

bool UseVisualStyles();            // false
void SetUseVisualStyles(bool use); // also false when there is no QApplication to draw with
