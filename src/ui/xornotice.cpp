#include "ui/xornotice.h"

#include "eval/mathnotation.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

bool HoldsXor(const QString &expression)
{
    return expression.contains(u'^') || expression.contains(u'＾');
}

} // namespace

QString XorNoticeText()
{
    return QStringLiteral("提示：^ 是按位异或；求乘方请用 Math.pow(底数,指数)");
}

XorNotice::XorNotice(EditBox *expression, std::function<void()> run)
    : XorNotice(
            expression, [expression] { return expression->text(); },
            [expression](const QString &text) { expression->setText(text); }, std::move(run))
{
    connect(expression, &EditBox::ContentChanged, this, &XorNotice::Follow);
}

XorNotice::XorNotice(MultiLineEditBox *expression, std::function<void()> run)
    : XorNotice(
            expression, [expression] { return expression->text(); },
            [expression](const QString &text) { expression->setText(text); }, std::move(run))
{
    connect(expression, &MultiLineEditBox::ContentChanged, this, &XorNotice::Follow);
}

XorNotice::XorNotice(QWidget *expression, std::function<QString()> text,
                     std::function<void(const QString &)> setText, std::function<void()> run)
    : m_text(std::move(text))
    , m_notice(MakeLabel(QStringLiteral("异或提示"), XorNoticeText()))
{
    SetRole(m_notice, Role::Secondary);
    m_notice->setWordWrap(true);
    QPushButton *rewrite = MakeButton(QStringLiteral("改为乘方"), QStringLiteral("改为乘方"));
    connect(rewrite, &QPushButton::clicked, this,
            [this, expression, setText = std::move(setText), run = std::move(run)] {
                setText(Eval::PowersWritten(m_text()));
                expression->setFocus(Qt::OtherFocusReason);
                run();
            });
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Spacing::Related);
    row->addWidget(m_notice, 1);
    row->addWidget(rewrite, 0, Qt::AlignTop);
    hide();
}

void XorNotice::SetPowerReading(const QString &line)
{
    m_powerReading = line;
    Follow();
}

void XorNotice::Follow()
{
    const bool shown = HoldsXor(m_text());
    if (!shown)
        m_powerReading.clear();
    m_notice->setText(m_powerReading.isEmpty() ? XorNoticeText()
                                               : XorNoticeText() + u'\n' + m_powerReading);
    setVisible(shown);
}
