#pragma once
// What each fuzz target does with one input, shared with the test that replays
// fuzz/regressions/ in the normal build. A check returns what property broke,
// or nothing; crashes, hangs and huge allocations are the fuzzer's to catch.

#include "help/RtfReader.h"
#include "host/HostServices.h"
#include "host/Pictures.h"
#include "host/TextTools.h"
#include "host/ValuePacker.h"
#include "model/cls_Wall.h"
#include "storage/LegacyWall.h"
#include "storage/LegacyWallCheck.h"
#include "storage/WallCsv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextDocument>
#include <QtEndian>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <string>
#include <memory>
#include <zlib.h>

namespace wq::fuzz {

// The host of every wall made here: walls are read and saved in memory.
inline const Host noHost{};

inline QString describe(const std::exception &error)
{
    return QString::fromLocal8Bit(error.what());
}

// Equal lists: same types, same values, NaN equal to NaN. Zero equals
// negative zero, as QVariant compares them: the packer writes both as "0".
inline bool sameValues(const QVariantList &a, const QVariantList &b);
inline bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.typeId() != b.typeId())
        return false;
    switch (a.typeId()) {
    case QMetaType::Double: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return (std::isnan(x) && std::isnan(y)) || x == y;
    }
    case QMetaType::QVariantList:
        return sameValues(a.toList(), b.toList());
    default:
        return a == b;
    }
}
inline bool sameValues(const QVariantList &a, const QVariantList &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameValue);
}

// Two walls hold the same as far as a package keeps it: descriptive data,
// topics, fields and their keys (not the file name, not the alignment).
inline bool sameWall(cls_Wall &a, cls_Wall &b)
{
    if (!sameValue(a.DATA->key(), b.DATA->key()) || a.AUTHOR != b.AUTHOR || a.DESCRIPTION != b.DESCRIPTION
        || a.TITLE != b.TITLE || a.TARGETGROUP != b.TARGETGROUP || a.DIFFICULTY != b.DIFFICULTY
        || a.RANDOMIZE != b.RANDOMIZE || a.TOPICS().items() != b.TOPICS().items()
        || !sameValue(a.TOPICS().tmp_Data_DATA().key(), b.TOPICS().tmp_Data_DATA().key())
        || a.DATABASE->count() != b.DATABASE->count())
        return false;
    for (int index = 0; index < a.DATABASE->count(); ++index) {
        const cls_WallField &x = a.Item(index, true);
        const cls_WallField &y = b.Item(index, true);
        if (!sameValue(x.DATA->key(), y.DATA->key()) || x.QUESTION != y.QUESTION || x.ANSWER != y.ANSWER
            || x.IMAGENAME != y.IMAGENAME || x.IMAGEMODE != y.IMAGEMODE || x.SORT != y.SORT)
            return false;
    }
    return true;
}

// A wall read shows its twenty fields and their embedded pictures.
inline QString checkShownWall(cls_Wall &wall)
{
    if (wall.DATABASE->count() < cls_Wall::FieldCount)
        return QStringLiteral("a wall read has fewer than twenty fields");
    if (wall.TOPICS().count() < 4)
        return QStringLiteral("a wall read has fewer than four topics");
    try {
        for (int index = 0; index < cls_Wall::FieldCount; ++index) {
            const cls_WallField &field = wall.Item(index, true);
            if (pictures::isEmbedded(field.IMAGENAME))
                (void)pictures::fromTextBytes(field.IMAGENAME.utf8());
        }
    } catch (const std::exception &error) {
        return QStringLiteral("a field of a wall read cannot be shown: ") + describe(error);
    }
    return {};
}

// A wall read saves and reads back the same (in memory, as SAVE and LOAD do
// once the file is read).
inline QString checkSavedWall(cls_Wall &wall, const QString &password)
{
    const QByteArray saved = wall.savePackage(password);
    if (saved.isEmpty())
        return QStringLiteral("a wall read cannot be saved");
    cls_Wall again(noHost);
    if (!again.loadPackage(saved, password))
        return QStringLiteral("a wall saved cannot be read back");
    if (!sameWall(again, wall))
        return QStringLiteral("a wall saved and read back differs from the wall read");
    return {};
}

inline QString checkLoadedWall(cls_Wall &wall, const QString &password)
{
    const QString shown = checkShownWall(wall);
    return shown.isEmpty() ? checkSavedWall(wall, password) : shown;
}

// The input with magic, length and checksum made to fit, so that mutations
// reach the value reader; bit 0 of the flags asks for a password.
inline QByteArray withFittingHeader(QByteArrayView input, QString *password)
{
    constexpr qsizetype HeaderSize = 20;
    if (input.size() < HeaderSize)
        return {};
    QByteArray bytes = input.toByteArray();
    auto *header = reinterpret_cast<uchar *>(bytes.data());
    std::memcpy(header, "WQZPACK\x1A", 8);
    *password = (qFromLittleEndian<quint16>(header + 10) & 1) ? QStringLiteral("fuzz") : QString();
    const QByteArray key = password->toUtf8();
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef *>(key.constData()), uInt(key.size()));
    crc = crc32(crc, header + HeaderSize, uInt(bytes.size() - HeaderSize));
    qToLittleEndian<quint32>(quint32(bytes.size() - HeaderSize), header + 12);
    qToLittleEndian<quint32>(quint32(crc), header + 16);
    return bytes;
}

// The package reader on the input as it is and with a fitting header.
inline QString checkPackage(QByteArrayView input)
{
    {
        cls_Wall wall(noHost);
        if (wall.loadPackage(input))
            if (const QString problem = checkLoadedWall(wall, {}); !problem.isEmpty())
                return problem;
    }
    QString password;
    const QByteArray fitted = withFittingHeader(input, &password);
    if (fitted.isEmpty())
        return {};
    cls_Wall wall(noHost);
    if (!wall.loadPackage(fitted, password))
        return {};
    return checkLoadedWall(wall, password);
}

// The legacy reader on a .frg file's bytes: a wall read is a board of twenty
// fields and four topics that can be shown.
inline QString checkLegacyReader(QByteArrayView input)
{
    cls_Wall wall(noHost);
    if (!wall.loadLegacy(input))
        return {};
    if (wall.DATABASE->count() != cls_Wall::FieldCount || wall.TOPICS().count() != 4)
        return QStringLiteral("a legacy wall read is not a board of twenty fields and four topics");
    return checkShownWall(wall);
}

// The wall tool's checker beside the game (pictures are looked for in
// `imagesFolder`): it reports an error exactly when the game cannot read the
// wall; a wall the game reads saves and reads back the same.
inline QString checkLegacyChecker(QByteArrayView input, const QString &imagesFolder)
{
    cls_Wall wall(noHost);
    const bool loaded = wall.loadLegacy(input);
    const LegacyText text = decodeLegacyText(input);

    QList<CheckFinding> findings;
    try {
        findings = checkLegacyWall(text, imagesFolder);
    } catch (const std::exception &error) {
        return QStringLiteral("the wall checker threw: ") + describe(error);
    }
    bool errors = false;
    for (const CheckFinding &finding : findings) {
        errors = errors || finding.severity == CheckFinding::Error;
        (void)describeFinding(finding);
    }
    if (loaded && errors)
        return QStringLiteral("the checker reports an error in a wall the game reads");
    if (!loaded && !errors)
        return QStringLiteral("the checker finds no error in a wall the game cannot read");
    return loaded ? checkSavedWall(wall, {}) : QString();
}

// Both, as a finding of either is replayed.
inline QString checkLegacy(QByteArrayView input, const QString &imagesFolder)
{
    const QString checker = checkLegacyChecker(input, imagesFolder);
    return checker.isEmpty() ? checkLegacyReader(input) : checker;
}

// A wall whose every part differs from what a table could make.
inline void fillAsBefore(cls_Wall &wall)
{
    wall.FILENAME = QStringLiteral("vorher.lx-wqz");
    wall.TITLE = QStringLiteral("Vorher");
    for (int column = 1; column <= 4; ++column)
        wall.TOPICS().set(column, QStringLiteral("Vorher %1").arg(column));
    for (int index = 0; index < cls_Wall::FieldCount; ++index) {
        cls_WallField &field = wall.Item(index, true);
        field.QUESTION = QStringLiteral("Frage %1").arg(index);
        field.IMAGEMODE = -1;
        field.SORT = 0;
    }
}

// The table reader: a refused input leaves the wall as it was; a table read is
// written and reads back the same, file name and title untouched.
inline QString checkCsv(QByteArrayView input)
{
    static cls_Wall before(noHost);
    static const bool filled = (fillAsBefore(before), true);
    (void)filled;
    cls_Wall wall(noHost);
    fillAsBefore(wall);
    if (!readWallCsv(input, wall).ok)
        return sameWall(wall, before) && wall.FILENAME == before.FILENAME
                   ? QString()
                   : QStringLiteral("a refused table changed the wall");
    if (wall.FILENAME != u"vorher.lx-wqz" || wall.TITLE != u"Vorher")
        return QStringLiteral("reading a table changed the file name or the title");
    const QByteArray written = writeWallCsv(wall);
    cls_Wall again(noHost);
    fillAsBefore(again);
    if (const CsvResult back = readWallCsv(written, again); !back.ok)
        return QStringLiteral("a written table is refused: ") + back.message;
    if (!sameWall(again, wall))
        return QStringLiteral("a table written and read back differs from the table read");
    return {};
}

// The rich-text reader: the text it makes holds no control characters and
// no half surrogate pairs. `laidOut`: then laid out as the help window does.
inline QString checkRtf(QByteArrayView input, bool laidOut = false)
{
    QTextDocument document;
    readRtf(input, document);
    if (laidOut) {
        document.setTextWidth(640);
        (void)document.size();
    }
    const QString text = document.toRawText();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return QStringLiteral("the document holds half a surrogate pair at %1").arg(i);
        if (c.unicode() < 0x20 && c != u'\t')
            return QStringLiteral("the document holds the control character %1 at %2").arg(c.unicode()).arg(i);
    }
    return {};
}

// A locale whose numbers are written with decimal commas, for LC_NUMERIC:
// one the machine has, or de_DE made by localedef under `dir` (LOCPATH then
// points there); empty when there is none. Called once before the checks.
inline QByteArray &decimalCommaLocale()
{
    static QByteArray name;
    return name;
}

inline QByteArray prepareDecimalCommaLocale(const QString &dir)
{
    const auto writesDecimalComma = [](const char *name) {
        const locale_t locale = newlocale(LC_NUMERIC_MASK, name, locale_t(nullptr));
        const bool comma = locale && std::strcmp(nl_langinfo_l(RADIXCHAR, locale), ",") == 0;
        if (locale)
            freelocale(locale);
        return comma;
    };
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"})
        if (writesDecimalComma(name))
            return decimalCommaLocale() = name;
    const QString folder = dir + QStringLiteral("locale");
    QDir().mkpath(folder);
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                       QStringLiteral("ISO-8859-1"), folder + QStringLiteral("/de_DE")});
    qputenv("LOCPATH", QFile::encodeName(folder));
    if (writesDecimalComma("de_DE"))
        return decimalCommaLocale() = "de_DE";
    qunsetenv("LOCPATH");
    return decimalCommaLocale() = QByteArray();
}

// parseNumber with another LC_NUMERIC in force; the one before is put back.
inline double parseNumberInLocale(const QString &text, const char *locale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, locale);
    const double value = text::parseNumber(text);
    std::setlocale(LC_NUMERIC, previous.c_str());
    return value;
}

// parseNumber gives a finite number that formatNumber (plain or signed)
// writes back exactly; a decimal-comma locale in force (as Qt sets the user's)
// does not change what a text means.
inline QString checkNumberText(const QString &text)
{
    const double value = parseNumberInLocale(text, "C");
    if (!std::isfinite(value))
        return QStringLiteral("parseNumber gives %1").arg(value);
    if (const QByteArray &comma = decimalCommaLocale(); !comma.isEmpty()) {
        const double local = parseNumberInLocale(text, comma.constData());
        if (local != value)
            return QStringLiteral("\"%1\" reads as %2, but as %3 in the locale %4")
                .arg(text).arg(value, 0, 'g', 17).arg(local, 0, 'g', 17).arg(QString::fromLatin1(comma));
    }
    for (const QString &written : {text::formatNumber(value), text::formatNumberSigned(value)}) {
        const double back = parseNumberInLocale(written, "C");
        if (back != value)
            return QStringLiteral("%1 is written as \"%2\", which reads as %3")
                .arg(value, 0, 'g', 17).arg(written).arg(back, 0, 'g', 17);
    }
    return {};
}

// Score texts come from the keyboard (UTF-8) and from old files (Latin-1).
inline QString checkNumber(QByteArrayView input)
{
    const QString texts[] = {QString::fromUtf8(input), QString::fromLatin1(input)};
    for (const QString &text : texts)
        if (const QString problem = checkNumberText(text); !problem.isEmpty())
            return problem;
    return {};
}

// A model object refuses a text with HostError or unpacks it into one that
// packs the same again, and `keep` (saving) works on it.
template <typename Make, typename Keep>
QString checkModelUnpack(const QString &text, Make make, const QString &what, Keep keep)
{
    QString packed;
    try {
        const auto first = make();
        first->DATA->unpack(text);
        packed = first->DATA->pack();
        if (const QString problem = keep(*first); !problem.isEmpty())
            return what + QStringLiteral(" unpacked: ") + problem;
    } catch (const HostError &) {
        return {};
    } catch (const std::exception &error) {
        return what + QStringLiteral(" unpack threw other than HostError: ") + describe(error);
    }
    try {
        const auto second = make();
        second->DATA->unpack(packed);
        if (second->DATA->pack() != packed)
            return what + QStringLiteral(" unpacked from its own package packs differently");
    } catch (const std::exception &error) {
        return what + QStringLiteral(" cannot unpack its own package: ") + describe(error);
    }
    return {};
}

inline QString checkPackerText(const QString &text)
{
    QVariantList values;
    bool unpacked = false;
    try {
        values = packer::unpack(text);
        unpacked = true;
    } catch (const HostError &) {
    } catch (const std::exception &error) {
        return QStringLiteral("unpack threw other than HostError: ") + describe(error);
    }
    if (unpacked) {
        try {
            if (!sameValues(packer::unpack(packer::pack(values)), values))
                return QStringLiteral("pack(unpack(x)) unpacks to another list");
        } catch (const std::exception &error) {
            return QStringLiteral("pack(unpack(x)) does not unpack: ") + describe(error);
        }
    }
    const QString field = checkModelUnpack(
        text, [] { return std::make_unique<cls_WallField>(); }, QStringLiteral("cls_WallField"),
        [](cls_WallField &) { return QString(); });
    if (!field.isEmpty())
        return field;
    return checkModelUnpack(
        text, [] { return std::make_unique<cls_Wall>(noHost); }, QStringLiteral("cls_Wall"),
        [](cls_Wall &wall) {
            return wall.savePackage().isEmpty() ? QStringLiteral("it cannot be saved") : QString();
        });
}

// The value unpacker and the model objects on it, the input read as UTF-8
// and as raw UTF-16.
inline QString checkPacker(QByteArrayView input)
{
    QString utf16(input.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), input.data(), size_t(utf16.size()) * 2);
    const QString texts[] = {QString::fromUtf8(input), utf16};
    for (const QString &text : texts)
        if (const QString problem = checkPackerText(text); !problem.isEmpty())
            return problem;
    return {};
}

} // namespace wq::fuzz
