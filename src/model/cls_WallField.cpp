#include "cls_WallField.h"

#include "host/HostServices.h"
#include "host/PackageFile.h"
#include "host/Program.h"
#include "host/ValuePacker.h"

namespace wq {

cls_WallField::cls_WallField() : DATA(std::make_unique<DataObject>(*this))
{
    // Made once: a wall makes twenty fields on every clear.
    static const QString className = classNameFor(QStringLiteral("cls_WallField"));
    DATA->setClassName(className);
}

void cls_WallField::DATA_DataCopy(DataInterface &pOther, bool &pcDone)
{
    auto *other = dynamic_cast<cls_WallField *>(&pOther);
    if (!other)
        throw HostError("wall field: copy from another kind of object");
    DATA->setKey(other->DATA->key());
    QUESTION = other->QUESTION;
    ANSWER = other->ANSWER;
    IMAGENAME = other->IMAGENAME;
    IMAGEMODE = other->IMAGEMODE;
    SORT = other->SORT;
    pcDone = true;
}

void cls_WallField::DATA_DataPACK(QString &pcPackage)
{
    pcPackage = packer::pack({DATA->key(), QUESTION, ANSWER, IMAGENAME.toString(), IMAGEMODE, SORT});
}

void cls_WallField::DATA_DataUnpack(const QString &prPackage)
{
    const QVariantList values = packer::unpack(prPackage);
    if (values.size() != 6)
        throw HostError("wall field: package of the wrong size");
    const QVariant key = packer::keyAt(values, 0);
    QUESTION = packer::stringAt(values, 1);
    ANSWER = packer::stringAt(values, 2);
    IMAGENAME = packer::stringAt(values, 3);
    IMAGEMODE = packer::int32At(values, 4);
    SORT = packer::int32At(values, 5);
    DATA->setKey(key);
}

void cls_WallField::DATA_DataStore(PackageFile &pFile)
{
    pFile.writeString(RecordVersion);
    pFile.writeValue(DATA->key());
    pFile.writeString(QUESTION);
    pFile.writeString(ANSWER);
    pFile.writeTextBytes(IMAGENAME.utf8());
    pFile.writeInt32(IMAGEMODE);
    pFile.writeInt32(SORT);
}

void cls_WallField::DATA_DataRead(PackageFile &pFile)
{
    if (pFile.readString().toUpper() != RecordVersion)
        return;
    DATA->setKey(pFile.readValue());
    QUESTION = pFile.readString();
    ANSWER = pFile.readString();
    std::shared_ptr<const void> owner;
    const QByteArray picture = pFile.readTextBytes(&owner);
    IMAGENAME = ImageName::fromUtf8(picture, std::move(owner));
    IMAGEMODE = pFile.readInt32();
    SORT = pFile.readInt32();
}

void cls_WallField::DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance)
{
    pcNewInstance = std::make_unique<cls_WallField>();
}

} // namespace wq
