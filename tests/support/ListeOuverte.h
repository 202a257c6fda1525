#pragma once

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QStyleOptionViewItem>

// True when entry i of an open list has the room its drawing asks for: the
// delegate's margins around a box just as wide as the entry's text.
inline bool Lisible(QAbstractItemView& v, int i) {
    QStyleOptionViewItem o;
    o.initFrom(&v);
    o.font = v.font();
    const QModelIndex x = v.model()->index(i, 0);
    const QRect r = v.visualRect(x);
    o.rect = QRect(0, 0, QFontMetrics(o.font).horizontalAdvance(x.data().toString()), r.height());
    return v.itemDelegate()->sizeHint(o, x).width() <= r.width();
}
