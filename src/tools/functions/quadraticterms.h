#pragma once

class EditBox;
class QBoxLayout;

// The pieces "x² ＋ [b] x＋ [c]" that follow the box of a in the quadratic tools' input rows;
// the caller wraps them in the window's one named static text.
QBoxLayout *MakeQuadraticTermsRow(EditBox *b, EditBox *c);

struct QuadraticInputBoxes
{
    EditBox *a;
    EditBox *b;
    EditBox *c;
};
// The boxes of a, b and c, named and created in reading order, which is the Tab order.
QuadraticInputBoxes MakeQuadraticInputBoxes();
// The box of the number on the right of the (in)equation, 0 at first.
EditBox *MakeRightSideBox();
