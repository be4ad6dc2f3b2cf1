#pragma once

#include "ui/toolwindow.h"

class EditBox;

// "浓度换算": amount concentration and mass fraction of a solution, each written in reply to
// the other as the user types.
class ConcentrationWindow : public ToolWindow
{
    Q_OBJECT
public:
    ConcentrationWindow();

private:
    QWidget *BuildConstants();
    // Run on the user's own edits only, so that the box written in reply is not converted back.
    void ConvertConcentration();
    void ConvertMassFraction();
    // A new ρ or M converts again what the user typed last.
    void ConstantsChanged();

    EditBox *m_concentration;
    EditBox *m_massFraction;
    EditBox *m_density;
    EditBox *m_molarMass;
    EditBox *m_lastTyped = nullptr;
};
