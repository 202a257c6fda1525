#include "platform/VbText.h"

#include <limits>

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
    // Counted towards the limit of the sign, so that a long run of digits
    // stops at the largest number instead of wrapping round.
    const unsigned long long limit =
        negative ? static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + 1
                 : static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    unsigned long long v = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        const unsigned digit = s[i].unicode() - u'0';
        v = v > (limit - digit) / 10 ? limit : v * 10 + digit;
        ++i;
    }
    if (!negative) return static_cast<long long>(v);
    return v == limit ? std::numeric_limits<long long>::min() : -static_cast<long long>(v);
}

QString Doubled(QString s) {
    s.replace(u'\'', QStringLiteral("''"));
    return s;
}

QString SansNul(QString s) {
    s.remove(QChar(u'\0'));
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
