#pragma once

#include <QDialog>

// The version and the update log. Modal for the whole program: the launcher and every tool
// wait until "返回" closes it.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
};
