#include "cls_Wall.h"

#include "host/HostServices.h"
#include "host/Program.h"
#include "host/ValuePacker.h"

#include <stdexcept>

namespace wq {

cls_Wall::cls_Wall(const Host &host)
    : DATA(std::make_unique<DataObject>(*this)),
      DATABASE(std::make_unique<DatabaseObject>(*this)),
      m_host(host)
{
    // The same for every object: made once.
    static const QString className = classNameFor(QStringLiteral("cls_Wall"));
    DATA->setClassName(className);
    m_fields.resize(1);
    CLEAR();
}

StringList &cls_Wall::TOPICS()
{
    if (!m_topics)
        m_topics = std::make_unique<StringList>();
    return *m_topics;
}

cls_WallField &cls_Wall::Item(const QVariant &pID, bool pForceIndex)
{
    if (!isWholeNumber(pID))
        throw std::invalid_argument("wall: a field is addressed by its board index");
    return dynamic_cast<cls_WallField &>(DATABASE->item(pID.toLongLong() + 1, pForceIndex));
}

void cls_Wall::replaceStore(qint32 count)
{
    m_fields.clear();
    m_fields.resize(size_t(count) + 1);
    for (qint32 position = 1; position <= count; ++position)
        m_fields[position] = std::make_unique<cls_WallField>();
}

void cls_Wall::CLEAR()
{
    replaceStore(FieldCount);
    StringList &topics = TOPICS();
    topics.clear();
    for (const char *letter : {"A", "B", "C", "D"})
        topics.append(QString::fromLatin1(letter));
    FILENAME.clear();
}

void cls_Wall::fillTopicsAfterReading()
{
    StringList &topics = TOPICS();
    topics.setOption(StringList::TrimLineBreaks);
    while (topics.count() < 4)
        topics.append(QChar(u'A' + topics.count()));
}

cls_WallField &cls_Wall::fieldAt(qint32 position)
{
    if (position < 0 || size_t(position) >= m_fields.size())
        throw std::out_of_range("wall: position outside the field store");
    auto &slot = m_fields[size_t(position)];
    if (!slot)
        slot = std::make_unique<cls_WallField>();
    return *slot;
}

void cls_Wall::DATA_DataCopy(DataInterface &pOther, bool &pcDone)
{
    auto *other = dynamic_cast<cls_Wall *>(&pOther);
    if (!other)
        throw HostError("wall: copy from another kind of object");
    DATA->setKey(other->DATA->key());
    AUTHOR = other->AUTHOR;
    DESCRIPTION = other->DESCRIPTION;
    TITLE = other->TITLE;
    TARGETGROUP = other->TARGETGROUP;
    DIFFICULTY = other->DIFFICULTY;
    RANDOMIZE = other->RANDOMIZE;
    TOPICS().tmp_Data_DATA().copyFrom(other->TOPICS().tmp_Data_DATA());
    const qint32 count = other->DATABASE->count();
    replaceStore(count);
    for (qint32 position = 1; position <= count; ++position) {
        auto &source = dynamic_cast<cls_WallField &>(other->DATABASE->item(position, true));
        fieldAt(position).DATA->copyFrom(*source.DATA);
    }
    pcDone = true;
}

void cls_Wall::DATA_DataPACK(QString &pcPackage)
{
    QVariantList store;
    for (const auto &field : m_fields)
        store.append(field ? QVariant(field->DATA->pack()) : QVariant());
    pcPackage = packer::pack({DATA->key(), AUTHOR, DESCRIPTION, TITLE, TARGETGROUP, DIFFICULTY,
                              RANDOMIZE, TOPICS().tmp_Data_DATA().pack(), store});
}

void cls_Wall::DATA_DataUnpack(const QString &prPackage)
{
    const QVariantList values = packer::unpack(prPackage);
    if (values.size() != 9)
        throw HostError("wall: package of the wrong size");
    const QVariant key = packer::keyAt(values, 0);
    AUTHOR = packer::stringAt(values, 1);
    DESCRIPTION = packer::stringAt(values, 2);
    TITLE = packer::stringAt(values, 3);
    TARGETGROUP = packer::stringAt(values, 4);
    DIFFICULTY = packer::int32At(values, 5);
    RANDOMIZE = packer::boolAt(values, 6);
    const QString topics = packer::stringAt(values, 7);
    const QVariantList store = packer::listAt(values, 8);
    replaceStore(qint32(std::max<qsizetype>(store.size() - 1, 0)));
    for (qsizetype position = 1; position < store.size(); ++position)
        if (!store[position].isNull())
            m_fields[position]->DATA->unpack(packer::stringAt(store, position));
    DATA->setKey(key);
    TOPICS().tmp_Data_DATA().unpack(topics);
}

void cls_Wall::DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance)
{
    pcNewInstance = std::make_unique<cls_Wall>(m_host);
}

void cls_Wall::DATABASE_DatabaseClear()
{
    m_fields.clear();
    m_fields.resize(1);
}

void cls_Wall::DATABASE_DatabaseCount(qint32 &ret)
{
    ret = qint32(m_fields.size()) - 1;
}

void cls_Wall::DATABASE_DatabaseImport(std::unique_ptr<DataInterface> NewEntry, const QVariant &ID)
{
    auto *field = dynamic_cast<cls_WallField *>(NewEntry.get());
    if (!field)
        throw HostError("wall: only wall fields can be imported");
    NewEntry.release();
    m_fields.emplace_back(field);
    if (ID.isValid())
        field->DATA->setKey(ID);
}

void cls_Wall::DATABASE_DatabaseItem(DataInterface *&rRet, qint32 pIndex)
{
    rRet = &fieldAt(pIndex);
}

void cls_Wall::DATABASE_DatabaseItemObj(HostObject *&rRet, qint32 pIndex)
{
    rRet = &fieldAt(pIndex);
}

void cls_Wall::DATABASE_DatabaseRemove(qint32 ID)
{
    fieldAt(ID);
    const size_t last = m_fields.size() - 1;
    if (size_t(ID) != last)
        m_fields[size_t(ID)] = std::move(m_fields[last]);
    m_fields.pop_back();
}

void cls_Wall::DATABASE_DatabaseSearch(qint32 &ret, const QVariant &ID)
{
    const bool idIsText = ID.typeId() == QMetaType::QString;
    const QString wanted = idIsText ? ID.toString().trimmed().toUpper() : QString();
    ret = 0;
    for (qint32 position = 1; position < qint32(m_fields.size()); ++position) {
        const QVariant key = fieldAt(position).DATA->key();
        const bool keyIsText = key.typeId() == QMetaType::QString;
        const bool match = (idIsText && keyIsText) ? key.toString().trimmed().toUpper() == wanted
                           : (idIsText || keyIsText) ? false
                                                     : key.isValid() && key == ID;
        if (match) {
            ret = position;
            return;
        }
    }
}

} // namespace wq
