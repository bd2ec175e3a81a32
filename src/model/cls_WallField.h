#pragma once
// One field of the question wall: question, answer, picture and its mode,
// kind and text alignment. Its points and board position follow from its
// index in the wall and are not stored.

#include "ImageName.h"
#include "host/DataObject.h"

#include <QString>
#include <memory>

namespace wq {

// Kinds of field (SORT).
enum FieldKind : qint32 { KindQuestion = 1, KindRisk = 2, KindJoker = 3 };
// When the picture is shown (IMAGEMODE).
enum PictureMode : qint32 { PictureWithAnswer = 0, PictureWithQuestion = 1, PictureWithBoth = 2 };
// Text alignment (TALIGN).
enum TextAlign : qint32 { AlignBothCentred = 0, AlignQuestionLeft = 1, AlignAnswerLeft = 3 };

class cls_WallField final : public DataInterface, public tmp_Data {
public:
    cls_WallField();

    QString QUESTION;
    QString ANSWER;
    // Up to 255 characters: a picture file name; longer: the picture itself.
    ImageName IMAGENAME;
    qint32 IMAGEMODE = PictureWithAnswer;
    qint32 SORT = KindQuestion;
    // Set only by the legacy reader; neither stored, packed nor copied.
    qint32 TALIGN = AlignBothCentred;
    std::unique_ptr<DataObject> DATA;

    DataObject &tmp_Data_DATA() override { return *DATA; }

    void DATA_DataCopy(DataInterface &pOther, bool &pcDone) override;
    void DATA_DataPACK(QString &pcPackage) override;
    void DATA_DataUnpack(const QString &prPackage) override;
    void DATA_DataStore(PackageFile &pFile) override;
    void DATA_DataRead(PackageFile &pFile) override;
    void DATA_DataSpawn(std::unique_ptr<DataInterface> &pcNewInstance) override;
};

} // namespace wq
