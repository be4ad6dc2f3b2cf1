#pragma once

#include <QString>

class EditBox;
class MultiLineEditBox;
class QLabel;

// In the expression language "^" is the bitwise exclusive or, not a power: 2^10 is 8. A
// notice beside the result says so while the typed expression holds a "^" (half- or
// full-width), and hides again when the "^" goes.
QString XorNoticeText();
QLabel *MakeXorNotice(EditBox *expression);
QLabel *MakeXorNotice(MultiLineEditBox *expression);
