#pragma once

#include <QList>

class QGridLayout;
class QLabel;
class QWidget;

// Lays out `boxes` one per row beside labels whose lines name the rows, written with a blank
// line between rows ("电压：\r\n\r\n电流："), so that every named line stands level with its
// box. `units`, when given, goes right of the boxes and is written the same way.
QGridLayout *MakeLinedRows(QLabel *names, const QList<QWidget *> &boxes, QLabel *units = nullptr);
