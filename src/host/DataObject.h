#pragma once
// Data and database objects: the host's way of storing, packing, copying and
// collecting objects. An object that takes part implements the data interface
// (and, for collections, the database interface); its data object and
// database object call back into it.

#include <QString>
#include <QVariant>
#include <memory>

namespace wq {

class PackageFile;
class DataObject;

// The version every stored record begins with; a reader that finds another
// reads nothing more of that record.
inline const QString RecordVersion = QStringLiteral("1.0");

// Base of every object the host hands around as a plain object reference.
class HostObject {
public:
    virtual ~HostObject() = default;
};

// The data interface: what a data object asks of its owner.
class DataInterface : public virtual HostObject {
public:
    virtual void DATA_DataCopy(DataInterface &pOther, bool &pcDone) = 0;
    virtual void DATA_DataPACK(QString &pcPackage) = 0;
    virtual void DATA_DataUnpack(const QString &prPackage) = 0;
    virtual void DATA_DataStore(PackageFile &pFile) = 0;
    virtual void DATA_DataRead(PackageFile &pFile) = 0;
    virtual void DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance) = 0;
};

// The data accessor interface: gives an object's data object.
class tmp_Data {
public:
    virtual ~tmp_Data() = default;
    virtual DataObject &tmp_Data_DATA() = 0;
};

class DataObject {
public:
    explicit DataObject(DataInterface &owner) : m_owner(owner) {}

    // The class name ("wandquiz.cls_Wall"): objects copy only from their own class.
    void setClassName(const QString &name) { m_className = name; }
    QString className() const { return m_className; }

    // The key value: no value until somebody sets one.
    QVariant key() const { return m_key; }
    void setKey(const QVariant &key) { m_key = key; }

    void store(PackageFile &file) { m_owner.DATA_DataStore(file); }
    void read(PackageFile &file) { m_owner.DATA_DataRead(file); }
    QString pack();
    void unpack(const QString &package) { m_owner.DATA_DataUnpack(package); }
    // Throws HostError when the other object is of another class.
    void copyFrom(DataObject &other);
    std::unique_ptr<DataInterface> spawn();

private:
    DataInterface &m_owner;
    QString m_className;
    QVariant m_key;
};

// The database interface: what a database object asks of its collection.
// Positions are one-based.
class DatabaseInterface {
public:
    virtual ~DatabaseInterface() = default;
    virtual void DATABASE_DatabaseClear() = 0;
    virtual void DATABASE_DatabaseCount(qint32 &ret) = 0;
    // An invalid ID means "no identifier given".
    virtual void DATABASE_DatabaseImport(std::unique_ptr<DataInterface> NewEntry, const QVariant &ID) = 0;
    virtual void DATABASE_DatabaseItem(DataInterface *&rRet, qint32 pIndex) = 0;
    virtual void DATABASE_DatabaseItemObj(HostObject *&rRet, qint32 pIndex) = 0;
    virtual void DATABASE_DatabaseRemove(qint32 ID) = 0;
    virtual void DATABASE_DatabaseSearch(qint32 &ret, const QVariant &ID) = 0;
};

// The database accessor interface: gives a collection's database object.
class DatabaseObject;
class tmp_Database {
public:
    virtual ~tmp_Database() = default;
    virtual DatabaseObject &tmp_Database_DATABASE() = 0;
};

// Resolves identifiers and positions on top of a collection.
class DatabaseObject {
public:
    explicit DatabaseObject(DatabaseInterface &owner) : m_owner(owner) {}

    qint32 count();
    void clear() { m_owner.DATABASE_DatabaseClear(); }
    void importEntry(std::unique_ptr<DataInterface> entry, const QVariant &id = {});
    // With `forceIndex` the identifier is a position; otherwise it is looked up
    // as a key first and taken as a position only when no key matches.
    // Throws std::out_of_range for a position outside the collection.
    DataInterface &item(const QVariant &id, bool forceIndex = false);
    HostObject &itemObject(const QVariant &id, bool forceIndex = false);
    void remove(const QVariant &id, bool forceIndex = false);
    // The first position whose key matches, or 0.
    qint32 search(const QVariant &id);

private:
    qint32 position(const QVariant &id, bool forceIndex);

    DatabaseInterface &m_owner;
};

// True when the value is a whole number that fits a position.
bool isWholeNumber(const QVariant &value);

} // namespace wq
