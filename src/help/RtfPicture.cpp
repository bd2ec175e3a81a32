#include "RtfPicture.h"

#include "RtfKeywords.h"
#include "RtfTokenizer.h"
#include "host/Pictures.h"

#include <algorithm>

namespace wq::rtf {

namespace {

constexpr double MaxPixels = 4000;   // larger sizes are damage, not pictures

double scaled(double pixels, int percent)
{
    return std::clamp(percent > 0 ? pixels * percent / 100.0 : pixels, 1.0, MaxPixels);
}

} // namespace

bool Picture::hasKnownFormat() const
{
    return m_format == PngPicture || m_format == JpegPicture;
}

// Metafiles and bitmaps in other formats cannot be shown: their data is not kept.
void Picture::addHexDigits(QByteArrayView digits)
{
    if (!hasKnownFormat())
        return;
    for (char c : digits) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;   // line breaks and spaces between the digits
        if (m_pendingNibble < 0) {
            m_pendingNibble = value;
        } else {
            m_data.append(char(m_pendingNibble * 16 + value));
            m_pendingNibble = -1;
        }
    }
}

void Picture::addBinary(QByteArrayView bytes)
{
    if (!hasKnownFormat())
        return;
    m_data.append(bytes);
    m_pendingNibble = -1;
}

QImage Picture::image() const
{
    if (!hasKnownFormat())
        return {};
    return pictures::fromBytes(m_data, m_format == PngPicture ? "PNG" : "JPG");
}

// \picwgoal and \pichgoal give the shown size in twips (15 to a pixel at 96
// per inch), \picscalex and \picscaley scale it in percent.
QSizeF Picture::shownSize(const QImage &image) const
{
    const double width = m_goalWidth > 0 ? m_goalWidth / 15.0 : image.width();
    const double height = m_goalHeight > 0 ? m_goalHeight / 15.0 : image.height();
    return {scaled(width, m_scaleX), scaled(height, m_scaleY)};
}

} // namespace wq::rtf
