#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

// The ways a piece of a window (its working, its results, a graph, a table) copies itself: as
// text, as LaTeX for a worksheet, and as a picture at a pixel ratio, the screen's or 2 for
// slides. A way left empty is not offered.
struct CopyFormats
{
    std::function<QString()> text;
    std::function<QString()> latex;
    std::function<QImage(double pixelRatio)> picture;
};

// Gives `piece` its formats: the context menu of its window offers them over the piece and
// whatever lies inside it.
void OfferCopyFormats(QWidget *piece, CopyFormats formats);
// The piece with formats that holds `control` (or is it), within its window; null when none.
QWidget *CopyPieceAround(QWidget *control);
const CopyFormats *CopyFormatsOf(const QWidget *piece);

// Into `menu`: "复制文字", "复制LaTeX", "复制图片" at the screen's pixel ratio of `piece` and
// "复制图片（2倍）", each where the piece has that format.
void AddCopyActions(QMenu *menu, QWidget *piece);

// The widget drawn whole, at the size its contents ask for, at `pixelRatio` on its own
// background, also what a scroll area around it hides; lines and text stay sharp at any ratio.
QImage WidgetPicture(QWidget *widget, double pixelRatio);
