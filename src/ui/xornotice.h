#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class EditBox;
class MultiLineEditBox;
class QLabel;

// In the expression language "^" is the bitwise exclusive or, not a power: 2^10 is 8. A
// notice beside the result says so while the typed expression holds a "^" (half- or
// full-width), and hides again when the "^" goes. Its button "改为乘方" writes every a^b of the
// expression as Math.pow(a,b) and runs the window's computation again.
QString XorNoticeText();

class XorNotice : public QWidget
{
    Q_OBJECT
public:
    XorNotice(EditBox *expression, std::function<void()> run);
    XorNotice(MultiLineEditBox *expression, std::function<void()> run);

    // A line under the notice, such as what the power would be ("若表示乘方：2^10 = 1024").
    void SetPowerReading(const QString &line);

private:
    XorNotice(QWidget *expression, std::function<QString()> text,
              std::function<void(const QString &)> setText, std::function<void()> run);
    void Follow();

    std::function<QString()> m_text;
    QLabel *m_notice;
    QString m_powerReading;
};
