#pragma once

#include <QString>

class EditBox;
class QLabel;

// A read-only edit box for a result: selectable, and one step larger than the inputs.
EditBox *MakeResultBox(const QString &name);
// A unit beside an input, in the secondary text colour.
QLabel *MakeUnitLabel(const QString &name, const QString &text);
