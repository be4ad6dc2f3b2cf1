#pragma once

#include <QString>

class EditBox;

// Writes a kinematics result, in the warm accent when it is "错误！"; an unchanged text is
// left alone so that a selection in the box survives the recomputation ten times a second.
void ShowResult(EditBox *box, const QString &text);
