#pragma once

#include <QStringView>

// The one text order of the program: equality ignores letter case for every
// letter (É = é, é ≠ e), and order follows French rules. The database uses it
// for its text columns and the lists use it when they sort.
namespace platform {

int CompareFrench(QStringView a, QStringView b);
// The same order without the shortcut for plain letters and digits; tests
// check that both agree.
int CompareFrenchSlow(QStringView a, QStringView b);

inline bool EqualsNoCase(QStringView a, QStringView b) {
    return CompareFrench(a, b) == 0;
}

// Same order over UTF-8 bytes, for the database engine.
int CompareFrenchUtf8(const char* a, int na, const char* b, int nb);

}  // namespace platform
