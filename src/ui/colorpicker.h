#pragma once

#include <QColor>
#include <QComboBox>

// A choice among a small set of named colours, each shown with its swatch.
class ColorPicker : public QComboBox
{
    Q_OBJECT
public:
    explicit ColorPicker(const QString &name, QWidget *parent = nullptr);

    QColor currentColor() const;
    // Chooses a colour as the user would; a colour not in the list is added.
    void SetCurrentColor(const QColor &color);

signals:
    // Raised whenever the chosen colour changes, also when the program chooses it.
    void ColorChanged(const QColor &color);
};
