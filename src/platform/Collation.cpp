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

// Letters, digits and blanks only: for these the French order is the order
// of the lower-cased code units, which spares the collator most calls.
template <class C>
bool Plain(const C* s, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<char32_t>(s[i]);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == ' '))
            return false;
    }
    return true;
}

template <class C>
int ComparePlain(const C* a, qsizetype na, const C* b, qsizetype nb) {
    const qsizetype n = std::min(na, nb);
    for (qsizetype i = 0; i < n; ++i) {
        auto x = static_cast<char32_t>(a[i]), y = static_cast<char32_t>(b[i]);
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y) return x < y ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

template <class C>
bool PlainUnit(C c) {
    return Plain(&c, 1);
}

template <class C>
char32_t Lower(C c) {
    const auto x = static_cast<char32_t>(c);
    return x >= 'A' && x <= 'Z' ? x + 32 : x;
}

// An identical beginning weighs the same in both texts, so the first unit
// where they part decides when it is a plain letter, digit or blank on both
// sides (or one text ends there): nothing in French joins such a unit to its
// neighbours. Returns 2 when the collator must decide.
template <class C>
int CompareQuick(const C* a, qsizetype na, const C* b, qsizetype nb) {
    qsizetype i = 0;
    const qsizetype n = std::min(na, nb);
    while (i < n && a[i] == b[i]) ++i;
    if (i == na && i == nb) return 0;
    if (i == na) return PlainUnit(b[i]) ? -1 : 2;
    if (i == nb) return PlainUnit(a[i]) ? 1 : 2;
    if (PlainUnit(a[i]) && PlainUnit(b[i]) && Lower(a[i]) != Lower(b[i]))
        return Lower(a[i]) < Lower(b[i]) ? -1 : 1;
    if (Plain(a + i, na - i) && Plain(b + i, nb - i))
        return ComparePlain(a + i, na - i, b + i, nb - i);
    return 2;
}

}  // namespace

int CompareFrench(QStringView a, QStringView b) {
    const int q = CompareQuick(a.utf16(), a.size(), b.utf16(), b.size());
    return q != 2 ? q : CompareFrenchSlow(a, b);
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
    const int q = CompareQuick(reinterpret_cast<const unsigned char*>(a), na,
                               reinterpret_cast<const unsigned char*>(b), nb);
    if (q != 2) return q;
    return CompareFrenchSlow(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
}

}  // namespace platform
