#include "platform/VbText.h"

namespace platform {

QString Str(long long n) {
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString KeyNumber(const QString& key) {
    return key.mid(1);
}

long long Val(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    long long v = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        v = v * 10 + (s[i].unicode() - u'0');
        ++i;
    }
    return negative ? -v : v;
}

QString Doubled(QString s) {
    s.replace(u'\'', QStringLiteral("''"));
    return s;
}

QString Trim(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ') ++b;
    while (e > b && s[e - 1] == u' ') --e;
    return s.mid(b, e - b);
}

}  // namespace platform

#include <cmath>

namespace platform {

double RoundHalfEven(double x) {
    return std::nearbyint(x);
}

long long IntDiv(double a, double b) {
    const long long x = static_cast<long long>(RoundHalfEven(a));
    const long long y = static_cast<long long>(RoundHalfEven(b));
    return y == 0 ? 0 : x / y;
}

}  // namespace platform
