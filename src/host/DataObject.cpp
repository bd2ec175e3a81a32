#include "DataObject.h"

#include "HostServices.h"

#include <cmath>
#include <stdexcept>

namespace wq {

QString DataObject::pack()
{
    QString package;
    m_owner.DATA_DataPACK(package);
    return package;
}

void DataObject::copyFrom(DataObject &other)
{
    if (other.m_className != m_className)
        throw HostError("data object: cannot copy " + m_className.toStdString() + " from "
                        + other.m_className.toStdString());
    bool done = false;
    m_owner.DATA_DataCopy(other.m_owner, done);
    if (!done)
        throw HostError("data object: copy not done");
}

std::unique_ptr<DataInterface> DataObject::spawn()
{
    std::unique_ptr<DataInterface> instance;
    m_owner.DATA_DataSpawn(instance);
    return instance;
}

bool isWholeNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        return true;
    case QMetaType::Double: {
        const double d = value.toDouble();
        return d == std::trunc(d) && std::fabs(d) < 2147483648.0;
    }
    default:
        return false;
    }
}

qint32 DatabaseObject::count()
{
    qint32 n = 0;
    m_owner.DATABASE_DatabaseCount(n);
    return n;
}

void DatabaseObject::importEntry(std::unique_ptr<DataInterface> entry, const QVariant &id)
{
    m_owner.DATABASE_DatabaseImport(std::move(entry), id);
}

qint32 DatabaseObject::search(const QVariant &id)
{
    qint32 found = 0;
    m_owner.DATABASE_DatabaseSearch(found, id);
    return found;
}

qint32 DatabaseObject::position(const QVariant &id, bool forceIndex)
{
    if (!forceIndex) {
        const qint32 found = search(id);
        if (found > 0)
            return found;
    }
    if (!isWholeNumber(id))
        throw std::out_of_range("database: no entry with this identifier");
    const qint64 pos = id.toLongLong();
    if (pos < 0 || pos > count())
        throw std::out_of_range("database: position outside the collection");
    return qint32(pos);
}

DataInterface &DatabaseObject::item(const QVariant &id, bool forceIndex)
{
    DataInterface *entry = nullptr;
    m_owner.DATABASE_DatabaseItem(entry, position(id, forceIndex));
    return *entry;
}

HostObject &DatabaseObject::itemObject(const QVariant &id, bool forceIndex)
{
    HostObject *entry = nullptr;
    m_owner.DATABASE_DatabaseItemObj(entry, position(id, forceIndex));
    return *entry;
}

void DatabaseObject::remove(const QVariant &id, bool forceIndex)
{
    m_owner.DATABASE_DatabaseRemove(position(id, forceIndex));
}

} // namespace wq
