#include "ui/controls.h"

#include "ui/editbox.h"
#include "ui/longtextbox.h"
#include "ui/style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

using namespace Ui;
using namespace Eval;

void NameControl(QWidget *control, const QString &name)
{
    control->setObjectName(name);
}

template<typename Control, typename... Arguments>
static Control *Make(const QString &name, QWidget *parent, Arguments &&...arguments)
{
    auto *control = new Control(std::forward<Arguments>(arguments)..., parent);
    NameControl(control, name);
    return control;
}

QLabel *MakeLabel(const QString &name, const QString &text, QWidget *parent)
{
    return Make<QLabel>(name, parent, DisplayText(text));
}

QLabel *MakeResultLabel(const QString &name, const QString &text, QWidget *parent)
{
    QLabel *label = MakeLabel(name, text, parent);
    SetRole(label, Role::Result);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

EditBox *MakeResultBox(const QString &name, bool readOnly, QWidget *parent)
{
    auto *box = new EditBox(name, readOnly ? InputMode::ReadOnly : InputMode::Normal, parent);
    SetRole(box, Role::Result);
    return box;
}

QLabel *MakeUnitLabel(const QString &name, const QString &text, QWidget *parent)
{
    QLabel *label = MakeLabel(name, text, parent);
    SetRole(label, Role::Secondary);
    return label;
}

void MarkAsError(QWidget *control, bool error)
{
    if (control->property("error").toBool() == error)
        return;
    control->setProperty("error", error);
    // Property selectors of the style sheet are only re-read on a new polish.
    control->style()->unpolish(control);
    control->style()->polish(control);
}

QPushButton *MakeButton(const QString &name, const QString &caption, QWidget *parent)
{
    return Make<QPushButton>(name, parent, caption);
}

QPushButton *MakePrimaryButton(const QString &name, const QString &caption, QWidget *parent)
{
    QPushButton *button = MakeButton(name, caption, parent);
    SetRole(button, Role::Primary);
    return button;
}

QCheckBox *MakeCheckBox(const QString &name, const QString &caption, QWidget *parent)
{
    return Make<QCheckBox>(name, parent, caption);
}

QRadioButton *MakeRadioBox(const QString &name, const QString &caption, QWidget *parent)
{
    return Make<QRadioButton>(name, parent, caption);
}

QComboBox *MakeComboBox(const QString &name, QWidget *parent)
{
    return Make<QComboBox>(name, parent);
}

QListWidget *MakeListBox(const QString &name, QWidget *parent)
{
    return Make<QListWidget>(name, parent);
}

QGroupBox *MakeGroupBox(const QString &name, const QString &caption, QWidget *parent)
{
    return Make<QGroupBox>(name, parent, caption);
}

QGroupBox *MakeUnnamedGroupBox(const QString &caption, QWidget *parent)
{
    auto *group = new QGroupBox(caption, parent);
    group->setAccessibleName(caption);
    return group;
}

QTabWidget *MakeTabBox(const QString &name, QWidget *parent)
{
    return Make<QTabWidget>(name, parent);
}

QProgressBar *MakeProgressBar(const QString &name, QWidget *parent)
{
    return Make<QProgressBar>(name, parent);
}

QTimer *MakeTimer(const QString &name, int periodMs, QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(name);
    SetTimerPeriod(timer, periodMs);
    return timer;
}

void SetTimerPeriod(QTimer *timer, int periodMs)
{
    if (periodMs <= 0)
        timer->stop();
    else
        timer->start(periodMs);
}

int BoxWidthFor(const QWidget *box, const QString &sample)
{
    return box->fontMetrics().horizontalAdvance(sample) + 16;
}

void FitBoxTo(QWidget *box, const QString &sample)
{
    box->setFixedWidth(BoxWidthFor(box, sample));
}

void WidenBoxTo(QWidget *box, const QString &sample)
{
    box->setMinimumWidth(BoxWidthFor(box, sample));
}

void SetTabOrder(const QList<QWidget *> &controls)
{
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

namespace {

template<typename Control>
void ShowOutcomeIn(Control *control, const Outcome<QString> &outcome)
{
    const QString &text = outcome ? *outcome : outcome.refusal();
    if (control->text() != text)
        control->setText(text);
    // A silent refusal leaves the box empty and unmarked: what is typed there next must not
    // come up in the error colour.
    MarkAsError(control, !outcome && !text.isEmpty());
}

} // namespace

void ShowOutcome(EditBox *box, const Outcome<QString> &outcome)
{
    ShowOutcomeIn(box, outcome);
}

void ShowOutcome(QLabel *label, const Outcome<QString> &outcome)
{
    ShowOutcomeIn(label, outcome);
}

void ShowOutcome(MultiLineEditBox *box, const Outcome<QString> &outcome)
{
    ShowOutcomeIn(box, outcome);
}

void ShowOutcome(LongTextBox *box, const Outcome<QString> &outcome)
{
    ShowOutcomeIn(box, outcome);
}

QString DisplayText(const QString &text)
{
    QString display = text;
    return display.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void ClearWhenChanged(const QList<QWidget *> &inputs, QObject *context,
                      const std::function<void()> &clear)
{
    for (QWidget *input : inputs) {
        if (auto *box = qobject_cast<EditBox *>(input))
            QObject::connect(box, &EditBox::ContentChanged, context, clear);
        else if (auto *lines = qobject_cast<MultiLineEditBox *>(input))
            QObject::connect(lines, &MultiLineEditBox::ContentChanged, context, clear);
        else if (auto *list = qobject_cast<QComboBox *>(input))
            QObject::connect(list, &QComboBox::currentIndexChanged, context, clear);
        else if (auto *button = qobject_cast<QAbstractButton *>(input))
            QObject::connect(button, &QAbstractButton::toggled, context, clear);
    }
}

QHBoxLayout *MakeRow(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(Spacing::Related);
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    return row;
}

void KeepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}
