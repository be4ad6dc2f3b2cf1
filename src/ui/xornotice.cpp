#include "ui/xornotice.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QLabel>

namespace {

bool HoldsXor(const QString &expression)
{
    return expression.contains(u'^') || expression.contains(u'＾');
}

QLabel *MakeNoticeLabel()
{
    QLabel *notice = MakeLabel(QStringLiteral("异或提示"), XorNoticeText());
    SetRole(notice, Role::Secondary);
    notice->setWordWrap(true);
    notice->hide();
    return notice;
}

template<typename Box>
QLabel *WatchForXor(Box *expression)
{
    QLabel *notice = MakeNoticeLabel();
    QObject::connect(expression, &Box::ContentChanged, notice,
                     [notice, expression] { notice->setVisible(HoldsXor(expression->text())); });
    return notice;
}

} // namespace

QString XorNoticeText()
{
    return QStringLiteral("提示：^ 是按位异或；求乘方请用 Math.pow(底数,指数)");
}

QLabel *MakeXorNotice(EditBox *expression)
{
    return WatchForXor(expression);
}

QLabel *MakeXorNotice(MultiLineEditBox *expression)
{
    return WatchForXor(expression);
}
