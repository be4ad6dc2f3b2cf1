#pragma once

#include "tools/applied/kinematicslogic.h"

#include <QList>
#include <QWidget>

#include <vector>

class EditBox;
class QLabel;
class QTabWidget;

// One page of the kinematics window, built from its description: a tab box of sub-pages of
// known quantities, the result box(es) and the compute button.
class KinematicsPageView : public QWidget
{
    Q_OBJECT
public:
    explicit KinematicsPageView(const Applied::KinematicsPage &page, QWidget *parent = nullptr);

    // Computes the unknown from the sub-page now shown in the page's own tab box.
    void Compute();
    // Empties the result of the sub-page now shown.
    void ClearResult();
    EditBox *firstInput() const { return m_inputs.front().front(); }

signals:
    void ResultFocusGained();
    void ResultFocusLost();
    // An input of any sub-page, or the sub-page shown, changed.
    void InputsChanged();

private:
    QWidget *BuildSubPage(const Applied::KinematicsFormula &formula, EditBox *sharedResult);
    EditBox *BuildInputBox(const Applied::KinematicsFormula &formula, int knownIndex);
    QLabel *BuildResultCaption(const Applied::KinematicsFormula &formula);
    QLayout *BuildResultRow(const Applied::KinematicsFormula &formula, EditBox *result);
    // A result box that pauses the periodic recomputation while it has the focus.
    EditBox *MakeWatchedResultBox(const QString &name);

    const Applied::KinematicsPage &m_page;
    QTabWidget *m_subPages;
    std::vector<QList<EditBox *>> m_inputs; // per sub-page, in the order of its knowns
    std::vector<EditBox *> m_results; // per sub-page; pages with one result repeat it
};
