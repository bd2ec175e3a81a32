#pragma once
// A picture in {\pict ...}: its format and size words and its data, given
// as hexadecimal digits or as raw bytes after \binN.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>

namespace wq::rtf {

class Picture {
public:
    void setFormat(int format) { m_format = format; }   // a PictureFormat
    bool hasKnownFormat() const;
    void setGoalWidth(int twips) { m_goalWidth = twips; }
    void setGoalHeight(int twips) { m_goalHeight = twips; }
    void setScaleX(int percent) { m_scaleX = percent; }
    void setScaleY(int percent) { m_scaleY = percent; }
    void addHexDigits(QByteArrayView digits);
    void addBinary(QByteArrayView bytes);

    // The picture, or a null image when it is not PNG or JPEG or is damaged.
    QImage image() const;
    // The size to show it at, in pixels.
    QSizeF shownSize(const QImage &image) const;

private:
    int m_format = 0;
    QByteArray m_data;
    int m_pendingNibble = -1;
    int m_goalWidth = 0;   // twips; 0: the picture's own size
    int m_goalHeight = 0;
    int m_scaleX = 100;
    int m_scaleY = 100;
};

} // namespace wq::rtf
