#pragma once

#include <QString>

class EditBox;

// A result edit box: one step larger than the inputs, editable and copyable.
EditBox *MakeResultBox(const QString &name);
// Writes a result, in the warm accent when it is "错误！"; an unchanged text is left alone so
// that a selection in the box survives.
void ShowResult(EditBox *box, const QString &text);
