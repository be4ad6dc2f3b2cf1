#include "halfwidth.h"

#include "gbktext.h"

#include <QHash>

namespace Eval {

namespace {

const QHash<char16_t, char16_t> &HalfWidthTable()
{
    static const QHash<char16_t, char16_t> table = [] {
        QHash<char16_t, char16_t> folds;
        auto add = [&folds](uchar lead, uchar trail, char16_t halfWidth) {
            const QString wide = FromGbk(QByteArray(1, char(lead)) + char(trail));
            if (wide.size() == 1)
                folds.insert(wide.front().unicode(), halfWidth);
        };
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            add(0xA3, uchar(trail), char16_t(trail - 0x80));
        add(0xA1, 0xA1, u' ');
        add(0xA1, 0xAB, u'~');
        add(0xA1, 0xEE, u'*');
        add(0xA1, 0xEF, u'*');
        return folds;
    }();
    return table;
}

} // namespace

QString ToHalfWidth(const QString &text)
{
    const QHash<char16_t, char16_t> &table = HalfWidthTable();
    QString folded = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0x80) {
            const auto fold = table.constFind(unit);
            if (fold != table.constEnd())
                folded[i] = QChar(*fold);
        }
    }
    return folded;
}

} // namespace Eval
