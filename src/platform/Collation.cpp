#include "platform/Collation.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>

namespace platform {
namespace {

const QCollator& Collator() {
    static const QCollator c = [] {
        QCollator x(QLocale(QLocale::French, QLocale::France));
        x.setCaseSensitivity(Qt::CaseInsensitive);
        x.setNumericMode(false);
        x.setIgnorePunctuation(false);
        return x;
    }();
    return c;
}

// Letters, digits and blanks only: for these the French order is the byte
// order of the lower-cased text, which spares the collator most calls.
bool Plain(const char* s, int n) {
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == ' '))
            return false;
    }
    return true;
}

int ComparePlain(const char* a, int na, const char* b, int nb) {
    const int n = na < nb ? na : nb;
    for (int i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

}  // namespace

namespace {
bool Plain(QStringView s) {
    for (const QChar ch : s) {
        const char16_t c = ch.unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
              c == u' '))
            return false;
    }
    return true;
}
int ComparePlain(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
        if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
}  // namespace

int CompareFrench(QStringView a, QStringView b) {
    if (Plain(a) && Plain(b)) return ComparePlain(a, b);
    return CompareFrenchSlow(a, b);
}

int CompareFrenchSlow(QStringView a, QStringView b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    if (folded == 0) return 0;
    const int c = Collator().compare(a, b);
    if (c != 0) return c < 0 ? -1 : 1;
    // The collator sees no difference where case folding does (ignorable
    // characters): keep a strict order so that equality stays case folding.
    return folded < 0 ? -1 : 1;
}

int CompareFrenchUtf8(const char* a, int na, const char* b, int nb) {
    if (Plain(a, na) && Plain(b, nb)) return ComparePlain(a, na, b, nb);
    return CompareFrenchSlow(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
}

}  // namespace platform
