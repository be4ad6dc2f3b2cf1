#pragma once

class EditBox;
class QBoxLayout;

// The pieces "x² ＋ [b] x＋ [c]" that follow the box of a in the quadratic tools' input rows;
// the caller wraps them in the window's one named static text.
QBoxLayout *MakeQuadraticTermsRow(EditBox *b, EditBox *c);
