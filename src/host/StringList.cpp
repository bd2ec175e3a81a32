#include "StringList.h"

#include "HostServices.h"
#include "PackageFile.h"
#include "Program.h"
#include "ValuePacker.h"

#include <stdexcept>

namespace wq {

namespace {
constexpr qint64 MinStoredTextSize = 5; // tag and length
} // namespace

StringList::StringList() : m_data(*this)
{
    // The same for every object: made once.
    static const QString className = classNameFor(QStringLiteral("StringList"));
    m_data.setClassName(className);
}

QString StringList::prepared(const QString &text) const
{
    if (!(m_options & TrimLineBreaks))
        return text;
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u'\r' || text[end - 1] == u'\n'))
        --end;
    return text.left(end);
}

qsizetype StringList::index(qint32 position) const
{
    if (position < 1 || position > m_items.size())
        throw std::out_of_range("string list: position outside the list");
    return position - 1;
}

void StringList::append(const QString &text)
{
    m_items.append(prepared(text));
}

QString StringList::at(qint32 position) const
{
    return m_items[index(position)];
}

void StringList::set(qint32 position, const QString &text)
{
    m_items[index(position)] = prepared(text);
}

void StringList::setOption(int option)
{
    m_options |= option;
    for (QString &item : m_items)
        item = prepared(item);
}

void StringList::DATA_DataCopy(DataInterface &pOther, bool &pcDone)
{
    auto *other = dynamic_cast<StringList *>(&pOther);
    if (!other)
        throw HostError("string list: copy from another kind of object");
    m_data.setKey(other->m_data.key());
    m_items = other->m_items;
    pcDone = true;
}

void StringList::DATA_DataPACK(QString &pcPackage)
{
    QVariantList texts;
    for (const QString &item : m_items)
        texts.append(item);
    pcPackage = packer::pack({m_data.key(), texts});
}

void StringList::DATA_DataUnpack(const QString &prPackage)
{
    const QVariantList values = packer::unpack(prPackage);
    const QVariantList texts = packer::listAt(values, 1);
    QStringList items;
    for (qsizetype i = 0; i < texts.size(); ++i)
        items.append(packer::stringAt(texts, i));
    m_data.setKey(packer::keyAt(values, 0));
    m_items = items;
}

void StringList::DATA_DataStore(PackageFile &pFile)
{
    pFile.writeString(RecordVersion);
    pFile.writeValue(m_data.key());
    pFile.writeInt32(count());
    for (const QString &item : m_items)
        pFile.writeString(item);
}

void StringList::DATA_DataRead(PackageFile &pFile)
{
    if (pFile.readString().toUpper() != RecordVersion)
        return;
    m_data.setKey(pFile.readValue());
    const qint32 n = pFile.readInt32();
    pFile.requireRoom(n, MinStoredTextSize);
    m_items.clear();
    for (qint32 i = 0; i < n; ++i)
        append(pFile.readString());
}

void StringList::DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance)
{
    pcNewInstance = std::make_unique<StringList>();
}

} // namespace wq
