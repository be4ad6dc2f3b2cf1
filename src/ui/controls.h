#pragma once

#include "eval/outcome.h"

#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>

class EditBox;
class MultiLineEditBox;
class LongTextBox;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QObject;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;

// Gives a control its Chinese name as objectName. What a screen reader says for it (its
// caption, its label) comes from the window layer (ui/accessibility.h), never this name.
void NameControl(QWidget *control, const QString &name);

// The control kinds of the window layer. Each returns a control named `name`; `parent` may be
// null when the control goes into a layout that adopts it.
QLabel *MakeLabel(const QString &name, const QString &text, QWidget *parent = nullptr);
// A label for results and worked steps: one step larger, selectable and copyable.
QLabel *MakeResultLabel(const QString &name, const QString &text = QString(),
                        QWidget *parent = nullptr);
// An edit box for a result: one step larger, selectable and copyable; read-only unless the
// tool lets the user type into it.
EditBox *MakeResultBox(const QString &name, bool readOnly = true, QWidget *parent = nullptr);
// A unit beside an input, in the secondary text colour.
QLabel *MakeUnitLabel(const QString &name, const QString &text, QWidget *parent = nullptr);
// Shows a control's text in the warm accent colour (error texts such as "错误！") or not.
void MarkAsError(QWidget *control, bool error);
QPushButton *MakeButton(const QString &name, const QString &caption, QWidget *parent = nullptr);
// The primary action of a window, in the accent colour.
QPushButton *MakePrimaryButton(const QString &name, const QString &caption,
                               QWidget *parent = nullptr);
QCheckBox *MakeCheckBox(const QString &name, const QString &caption, QWidget *parent = nullptr);
QRadioButton *MakeRadioBox(const QString &name, const QString &caption, QWidget *parent = nullptr);
QComboBox *MakeComboBox(const QString &name, QWidget *parent = nullptr);
QListWidget *MakeListBox(const QString &name, QWidget *parent = nullptr);
QGroupBox *MakeGroupBox(const QString &name, const QString &caption, QWidget *parent = nullptr);
// A group box the window's description does not name: read by its caption, found by nothing,
// so that it never stands in the way of a control of the same name.
QGroupBox *MakeUnnamedGroupBox(const QString &caption, QWidget *parent = nullptr);
QTabWidget *MakeTabBox(const QString &name, QWidget *parent = nullptr);
QProgressBar *MakeProgressBar(const QString &name, QWidget *parent = nullptr);
// A timer that runs with the given period; 0 leaves it stopped.
QTimer *MakeTimer(const QString &name, int periodMs, QObject *parent);
// Sets a timer's period as the window layer understands it: 0 stops it, anything else
// (re)starts it with that period.
void SetTimerPeriod(QTimer *timer, int periodMs);

// The width a one-line box needs to show `sample` in full, with its frame, padding and caret.
int BoxWidthFor(const QWidget *box, const QString &sample);
// Fixes a box to the width that shows `sample` in full.
void FitBoxTo(QWidget *box, const QString &sample);
// Lets a box grow, but never below the width that shows `sample` in full.
void WidenBoxTo(QWidget *box, const QString &sample);

// A row of controls that belong together, at the related-controls spacing.
QHBoxLayout *MakeRow(std::initializer_list<QWidget *> widgets = {});
// Keeps the widget's place in its layout while it is hidden, so that showing it moves nothing.
void KeepPlaceWhenHidden(QWidget *widget);

// Tab moves through `controls` in this order.
void SetTabOrder(const QList<QWidget *> &controls);

// Shows an outcome of a tool's logic: its value, or its refusal text in the warm accent (a
// silent refusal empties the box, unmarked). An unchanged text is left alone, so that a
// selection in the box survives a recomputation.
void ShowOutcome(EditBox *box, const Eval::Outcome<QString> &outcome);
void ShowOutcome(QLabel *label, const Eval::Outcome<QString> &outcome);
void ShowOutcome(MultiLineEditBox *box, const Eval::Outcome<QString> &outcome);
void ShowOutcome(LongTextBox *box, const Eval::Outcome<QString> &outcome);

// Runs `clear` whenever one of `inputs` (edit boxes, combo boxes, check and radio boxes)
// changes, as long as `context` lives: for a window whose result comes from a button, so that
// a result never stands beside inputs it was not computed from.
void ClearWhenChanged(const QList<QWidget *> &inputs, QObject *context,
                      const std::function<void()> &clear);

// Line breaks of the program's texts ("\r\n") as Qt shows them.
QString DisplayText(const QString &text);
