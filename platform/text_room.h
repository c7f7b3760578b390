#pragma once
// Controls whose text is wider than the room they give it. A template's
// sizes were drawn for one font; another font, or a style whose frames and
// indicators take more pixels, can leave "Load Rom" or "Right" cut. The
// dialog builder widens such a control, and moves everything to its right,
// instead of letting the user read half a word.

#include <QList>

class QWidget;

// How many pixels wider control must be to show its whole text (a button's
// caption, a label's widest line, a group box's title, a field's content,
// a list's longest line)
// at its font and style; 0 when it fits.
int TextShortfall(const QWidget& control);

// Widens every control of controls whose text does not fit, as if a column
// of that width were inserted at its right edge: controls that end at that
// edge widen alike (a column of buttons stays one column), controls further
// right move right, controls that span the edge (a group box, the status
// line) widen. Heights and the order of everything stay as they were.
// The controls' right edge grows by at most limit pixels in all (the room
// the screen has left); a text that still does not fit stays cut. Returns by
// how many pixels the right edge grew.
int MakeRoomForTexts(const QList<QWidget*>& controls, int limit);
