#include "ValuePacker.h"

#include "HostServices.h"

#include <QLocale>

namespace wq::packer {

namespace {
constexpr int MaxDepth = 32;

void packValue(QString &out, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        out += u'N';
        break;
    case QMetaType::QString: {
        // Piece by piece: a long text (a picture) is copied once, into `out`.
        const QString text = value.toString();
        out += u'S';
        out += QString::number(text.size());
        out += u':';
        out += text;
        break;
    }
    case QMetaType::Bool:
        out += value.toBool() ? u"B1" : u"B0";
        break;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UShort:
        out += u'I';
        out += QString::number(value.toInt());
        out += u';';
        break;
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
        out += u'L';
        out += QString::number(value.toLongLong());
        out += u';';
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        out += u'D';
        out += QString::number(value.toDouble(), 'g', 17);
        out += u';';
        break;
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        out += u'A';
        out += QString::number(list.size());
        out += u':';
        for (const QVariant &element : list)
            packValue(out, element);
        break;
    }
    default:
        throw HostError("value packer: unsupported value type");
    }
}

class Reader {
public:
    explicit Reader(const QString &text) : m_text(text) {}

    QVariant value(int depth)
    {
        if (depth > MaxDepth)
            throw HostError("value packer: nested too deeply");
        const QChar type = next();
        switch (type.unicode()) {
        case u'N':
            return {};
        case u'S': {
            const qint64 length = number(u':');
            if (length < 0 || length > remaining())
                throw HostError("value packer: text length beyond the package");
            const QString text = m_text.mid(m_pos, length);
            m_pos += length;
            return text;
        }
        case u'B': {
            const QChar flag = next();
            if (flag != u'0' && flag != u'1')
                throw HostError("value packer: bad truth value");
            return flag == u'1';
        }
        case u'I': {
            const qint64 n = number(u';');
            if (n < INT32_MIN || n > INT32_MAX)
                throw HostError("value packer: number out of range");
            return qint32(n);
        }
        case u'L':
            return qint64(number(u';'));
        case u'D': {
            bool ok = false;
            const double d = QLocale::c().toDouble(until(u';'), &ok);
            if (!ok)
                throw HostError("value packer: bad number");
            return d;
        }
        case u'A': {
            const qint64 count = number(u':');
            // Every value takes at least one character: "N" alone is a value.
            if (count < 0 || count > remaining())
                throw HostError("value packer: count beyond the package");
            QVariantList list;
            list.reserve(qsizetype(count));
            for (qint64 i = 0; i < count; ++i)
                list.append(value(depth + 1));
            return list;
        }
        default:
            throw HostError("value packer: unknown value type");
        }
    }

    bool atEnd() const { return m_pos == m_text.size(); }

private:
    qsizetype remaining() const { return m_text.size() - m_pos; }

    QChar next()
    {
        if (atEnd())
            throw HostError("value packer: package ends early");
        return m_text[m_pos++];
    }

    QStringView until(QChar end)
    {
        const qsizetype stop = m_text.indexOf(end, m_pos);
        if (stop < 0 || stop - m_pos > 40)
            throw HostError("value packer: unterminated number");
        const QStringView part = QStringView(m_text).mid(m_pos, stop - m_pos);
        m_pos = stop + 1;
        return part;
    }

    qint64 number(QChar end)
    {
        bool ok = false;
        const qint64 n = until(end).toLongLong(&ok);
        if (!ok)
            throw HostError("value packer: bad number");
        return n;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

const QVariant &elementAt(const QVariantList &values, qsizetype index, int typeId)
{
    if (index < 0 || index >= values.size())
        throw HostError("value packer: element missing");
    const QVariant &element = values[index];
    if (element.typeId() != typeId)
        throw HostError("value packer: element of the wrong type");
    return element;
}
} // namespace

QString pack(const QVariantList &values)
{
    QString out;
    packValue(out, values);
    return out;
}

QVariantList unpack(const QString &package)
{
    Reader reader(package);
    const QVariant top = reader.value(0);
    if (top.typeId() != QMetaType::QVariantList || !reader.atEnd())
        throw HostError("value packer: not a package");
    return top.toList();
}

QString stringAt(const QVariantList &values, qsizetype index)
{
    return elementAt(values, index, QMetaType::QString).toString();
}

qint32 int32At(const QVariantList &values, qsizetype index)
{
    return elementAt(values, index, QMetaType::Int).toInt();
}

bool boolAt(const QVariantList &values, qsizetype index)
{
    return elementAt(values, index, QMetaType::Bool).toBool();
}

QVariantList listAt(const QVariantList &values, qsizetype index)
{
    return elementAt(values, index, QMetaType::QVariantList).toList();
}

QVariant keyAt(const QVariantList &values, qsizetype index)
{
    if (index < 0 || index >= values.size())
        throw HostError("value packer: element missing");
    if (values[index].typeId() == QMetaType::QVariantList)
        throw HostError("value packer: a list cannot be a key");
    return values[index];
}

} // namespace wq::packer
