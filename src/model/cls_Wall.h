#pragma once
// The question wall: twenty fields in board order, four topic titles and the
// wall's descriptive data. Fields are read by board index through Item.

#include "cls_WallField.h"
#include "host/DataObject.h"
#include "host/StringList.h"

#include <vector>

namespace wq {

struct Host;

class cls_Wall final : public DataInterface, public DatabaseInterface, public tmp_Data, public tmp_Database {
public:
    static constexpr int FieldCount = 20;

    explicit cls_Wall(const Host &host);

    QString AUTHOR;
    QString DESCRIPTION;
    QString TITLE;
    QString TARGETGROUP;
    qint32 DIFFICULTY = 0;
    bool RANDOMIZE = false;
    QString FILENAME;
    std::unique_ptr<DataObject> DATA;
    std::unique_ptr<DatabaseObject> DATABASE;

    // Topic titles, positions 1 to 4 = columns 0 to 3.
    StringList &TOPICS();

    // Item(i, true) is the field at board index i (store position i + 1).
    // Throws std::out_of_range outside the store.
    cls_WallField &Item(const QVariant &pID, bool pForceIndex = false);
    void CLEAR();
    // Writing and reading wall files; both return false on any error.
    bool SAVE(const QString &pFile, const QString &pPW = {});
    bool LOAD(const QString &pFile, const QString &pPW = {});
    // The same in memory, what LOAD and SAVE do once the file is read or
    // before it is written. loadPackage (.lx-wqz) and loadLegacy (.frg) clear
    // the wall and read it from `bytes`; false on any error, the wall keeping
    // what was read until then. savePackage gives the package's bytes, or
    // empty bytes when the wall cannot be written.
    bool loadPackage(QByteArrayView bytes, const QString &password = {});
    bool loadLegacy(QByteArrayView bytes);
    QByteArray savePackage(const QString &password = {});

    DataObject &tmp_Data_DATA() override { return *DATA; }
    DatabaseObject &tmp_Database_DATABASE() override { return *DATABASE; }

    void DATA_DataCopy(DataInterface &pOther, bool &pcDone) override;
    void DATA_DataPACK(QString &pcPackage) override;
    void DATA_DataUnpack(const QString &prPackage) override;
    void DATA_DataStore(PackageFile &pFile) override;
    void DATA_DataRead(PackageFile &pFile) override;
    void DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance) override;

    void DATABASE_DatabaseClear() override;
    void DATABASE_DatabaseCount(qint32 &ret) override;
    void DATABASE_DatabaseImport(std::unique_ptr<DataInterface> NewEntry, const QVariant &ID) override;
    void DATABASE_DatabaseItem(DataInterface *&rRet, qint32 pIndex) override;
    void DATABASE_DatabaseItemObj(HostObject *&rRet, qint32 pIndex) override;
    void DATABASE_DatabaseRemove(qint32 ID) override;
    void DATABASE_DatabaseSearch(qint32 &ret, const QVariant &ID) override;

private:
    cls_WallField &fieldAt(qint32 position);
    void replaceStore(qint32 count);
    void fillTopicsAfterReading();
    void readPackage(QByteArray bytes, const QString &password);

    const Host &m_host;
    std::unique_ptr<StringList> m_topics;
    // One-based: position 0 exists but is never used.
    std::vector<std::unique_ptr<cls_WallField>> m_fields;
};

} // namespace wq
