#pragma once

#include <QString>

// Text conversions that the program's data formats depend on.
namespace platform {

// Number-to-text with a sign position: " 12" for 12, "-3" for -3.
QString Str(long long n);

// The number held in a list key such as "N  12": everything from the second
// character on, as the readers paste it into SQL text.
QString KeyNumber(const QString& key);

// Whole-number value of a text the way the list readers convert it: leading
// blanks ignored, digits read up to the first other character, 0 when none;
// a number too large for 64 bits gives the largest (or smallest) one.
long long Val(const QString& s);

// A text as it is pasted between apostrophes into SQL text: every
// apostrophe doubled.
QString Doubled(QString s);

// A text as a lookup table finds and keeps it: without NUL characters,
// which SQL text cannot carry and no name shows.
QString SansNul(QString s);

// Trim blanks only (not tabs or line ends), as the readers of stored texts do.
QString Trim(const QString& s);

}  // namespace platform

namespace platform {

// Rounding to the nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double x);
// Integer division as the layout and fitting formulas use it: both operands
// rounded half to even first, then the quotient truncated.
long long IntDiv(double a, double b);

}  // namespace platform
