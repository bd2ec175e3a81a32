#pragma once
// Packs a list of values into one text and unpacks it into the same list.
// Each value is a type letter and its content:
//   N            no value
//   S<n>:<text>  a text of n UTF-16 units
//   I<n>;        a 32-bit whole number
//   L<n>;        a 64-bit whole number
//   D<x>;        a floating-point number
//   B0 / B1      false / true
//   A<n>:        a list of n further values
// A package is one list. Unpacking checks every count and length against the
// characters that remain, so damaged text fails without large allocations.

#include <QString>
#include <QVariant>

namespace wq::packer {

QString pack(const QVariantList &values);
// Throws HostError when the text is not a package.
QVariantList unpack(const QString &package);

// Reading elements of an unpacked list with their type checked.
QString stringAt(const QVariantList &values, qsizetype index);
qint32 int32At(const QVariantList &values, qsizetype index);
bool boolAt(const QVariantList &values, qsizetype index);
QVariantList listAt(const QVariantList &values, qsizetype index);
// A data object's key: a single value of any type, kept as it is (no value
// stays no value), but not a list, which no wall file can hold as a key.
QVariant keyAt(const QVariantList &values, qsizetype index);

} // namespace wq::packer
