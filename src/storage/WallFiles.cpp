// Writing and reading walls: the package record of the wall, SAVE and LOAD,
// and what they do in memory (savePackage, loadPackage, loadLegacy).

#include "LegacyWall.h"
#include "WallPaths.h"
#include "host/FileBytes.h"
#include "host/HostServices.h"
#include "host/PackageFile.h"
#include "host/TextTools.h"
#include "model/cls_Wall.h"

#include <exception>

namespace wq {

namespace {
constexpr qint64 MinStoredFieldSize = 5; // a version text alone
// Every wall this program writes has twenty fields. A count far beyond that
// is a damaged or hostile file, however many bytes follow it.
constexpr qint32 MostStoredFields = 10000;
} // namespace

void cls_Wall::DATA_DataStore(PackageFile &pFile)
{
    pFile.writeString(RecordVersion);
    pFile.writeValue(DATA->key());
    pFile.writeString(AUTHOR);
    pFile.writeString(DESCRIPTION);
    pFile.writeString(TITLE);
    pFile.writeString(TARGETGROUP);
    pFile.writeInt32(DIFFICULTY);
    pFile.writeBool(RANDOMIZE);
    TOPICS().tmp_Data_DATA().store(pFile);
    const qint32 count = DATABASE->count();
    pFile.writeInt32(count);
    for (qint32 position = 1; position <= count; ++position)
        fieldAt(position).DATA->store(pFile);
}

void cls_Wall::DATA_DataRead(PackageFile &pFile)
{
    // Whatever happens below, the wall ends with four topic titles and at
    // least a board of fields.
    struct CompleteAfterReading {
        cls_Wall &wall;
        ~CompleteAfterReading()
        {
            wall.fillTopicsAfterReading();
            while (wall.m_fields.size() <= size_t(FieldCount))
                wall.m_fields.push_back(std::make_unique<cls_WallField>());
        }
    } complete{*this};

    if (pFile.readString().toUpper() != RecordVersion)
        return;
    DATA->setKey(pFile.readValue());
    AUTHOR = pFile.readString();
    DESCRIPTION = pFile.readString();
    TITLE = pFile.readString();
    TARGETGROUP = pFile.readString();
    DIFFICULTY = pFile.readInt32();
    RANDOMIZE = pFile.readBool();
    TOPICS().tmp_Data_DATA().read(pFile);
    const qint32 count = pFile.readInt32();
    // A board needs twenty fields; fewer means the file is damaged.
    if (count < FieldCount)
        throw HostError("wall: fewer fields than a board has");
    if (count > MostStoredFields)
        throw HostError("wall: more fields than any wall has");
    pFile.requireRoom(count, MinStoredFieldSize);
    // A field is made only once its record is there to be read, so a count
    // that the file does not back costs nothing.
    DATABASE_DatabaseClear();
    for (qint32 position = 1; position <= count; ++position) {
        auto field = std::make_unique<cls_WallField>();
        field->DATA->read(pFile);
        m_fields.push_back(std::move(field));
    }
}

void cls_Wall::readPackage(QByteArray bytes, const QString &password)
{
    PackageFile package;
    package.openBytes(std::move(bytes), password);
    DATA->read(package);
    package.close();
}

QByteArray cls_Wall::savePackage(const QString &password)
{
    try {
        PackageFile package;
        package.createBytes(password);
        // Room for the pictures, so megabytes of them are not copied as the package grows.
        qint64 pictures = 0;
        for (qint32 position = 1; position < qint32(m_fields.size()); ++position)
            pictures += m_fields[size_t(position)] ? m_fields[size_t(position)]->IMAGENAME.size() : 0;
        package.reserve(pictures + 64 * 1024);
        DATA->store(package);
        return package.closeBytes();
    } catch (const std::exception &) {
        return {};
    }
}

bool cls_Wall::loadPackage(QByteArrayView bytes, const QString &password)
{
    try {
        CLEAR();
        readPackage(bytes.toByteArray(), password);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool cls_Wall::loadLegacy(QByteArrayView bytes)
{
    try {
        CLEAR();
        readLegacyWall(bytes, *this);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool cls_Wall::SAVE(const QString &pFile, const QString &pPW)
{
    const QByteArray bytes = savePackage(pPW);
    if (bytes.isEmpty())
        return false;
    try {
        writeFileDurably(pFile, bytes);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool cls_Wall::LOAD(const QString &pFile, const QString &pPW)
{
    try {
        QString file = pFile;
        if (!m_host.files->exists(file))
            file = suppliedAutosavePath(*m_host.folders);
        if (!m_host.files->exists(file))
            return false;
        CLEAR();
        FILENAME = file;
        const QString kind = text::extension(file).toUpper();
        if (kind == u"LX-WQZ")
            readPackage(readFileBytes(file, PackageFile::MaxFileSize), pPW);
        else if (kind == u"FRG")
            readLegacyWall(readFileBytes(file, MaxLegacyFileSize), *this);
        else
            return false;
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace wq
