#pragma once
// A list of texts with one-based positions, stored and packed through its own
// data object.

#include "DataObject.h"

#include <QStringList>

namespace wq {

class StringList final : public DataInterface, public tmp_Data {
public:
    // The setting that trims line-break characters from the end of every entry,
    // now and whenever entries are set or added later.
    static constexpr int TrimLineBreaks = 8;

    StringList();

    void clear() { m_items.clear(); }
    void append(const QString &text);
    qint32 count() const { return qint32(m_items.size()); }
    // Positions run from 1 to count(); others throw std::out_of_range.
    QString at(qint32 position) const;
    void set(qint32 position, const QString &text);
    void setOption(int option);
    QStringList items() const { return m_items; }

    DataObject &tmp_Data_DATA() override { return m_data; }

    void DATA_DataCopy(DataInterface &pOther, bool &pcDone) override;
    void DATA_DataPACK(QString &pcPackage) override;
    void DATA_DataUnpack(const QString &prPackage) override;
    void DATA_DataStore(PackageFile &pFile) override;
    void DATA_DataRead(PackageFile &pFile) override;
    void DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance) override;

private:
    QString prepared(const QString &text) const;
    qsizetype index(qint32 position) const;

    QStringList m_items;
    int m_options = 0;
    DataObject m_data;
};

} // namespace wq
