#include "RtfKeywords.h"

#include <Qt>

#include <string_view>
#include <unordered_map>

namespace wq::rtf {

namespace {

using Table = std::unordered_map<std::string_view, Keyword>;

const Table &keywords()
{
    static const Table table = {
        // Characters
        {"tab", {Action::Character, '\t'}},
        {"cell", {Action::Character, '\t'}},        // tables read as tab-separated rows
        {"nestcell", {Action::Character, '\t'}},
        {"line", {Action::Character, 0x2028}},
        {"page", {Action::Character, 0x2028}},      // a help window has no pages
        {"emdash", {Action::Character, 0x2014}},
        {"endash", {Action::Character, 0x2013}},
        {"emspace", {Action::Character, 0x2003}},
        {"enspace", {Action::Character, 0x2002}},
        {"qmspace", {Action::Character, 0x2005}},
        {"bullet", {Action::Character, 0x2022}},
        {"lquote", {Action::Character, 0x2018}},
        {"rquote", {Action::Character, 0x2019}},
        {"ldblquote", {Action::Character, 0x201C}},
        {"rdblquote", {Action::Character, 0x201D}},
        {"zwbo", {Action::Character, 0x200B}},
        {"zwnj", {Action::Character, 0x200C}},
        {"zwj", {Action::Character, 0x200D}},
        {"ltrmark", {Action::Character, 0x200E}},
        {"rtlmark", {Action::Character, 0x200F}},
        {"u", {Action::Unicode}},
        {"uc", {Action::UnicodeSkip}},
        {"par", {Action::Paragraph}},
        {"row", {Action::RowEnd}},
        {"nestrow", {Action::RowEnd}},
        // Character formatting
        {"b", {Action::Bold}},
        {"i", {Action::Italic}},
        {"ul", {Action::Underline}},
        {"uld", {Action::Underline}},
        {"uldash", {Action::Underline}},
        {"uldashd", {Action::Underline}},
        {"uldashdd", {Action::Underline}},
        {"uldb", {Action::Underline}},
        {"ulth", {Action::Underline}},
        {"ulw", {Action::Underline}},
        {"ulwave", {Action::Underline}},
        {"ulnone", {Action::UnderlineNone}},
        {"strike", {Action::Strike}},
        {"striked", {Action::Strike}},
        {"v", {Action::Hidden}},
        {"caps", {Action::Caps}},
        {"scaps", {Action::SmallCaps}},
        {"super", {Action::VerticalPosition, 1}},
        {"sub", {Action::VerticalPosition, -1}},
        {"nosupersub", {Action::VerticalPosition, 0}},
        {"up", {Action::Up}},
        {"dn", {Action::Down}},
        {"fs", {Action::FontSize}},
        {"f", {Action::Font}},
        {"cf", {Action::Foreground}},
        {"cb", {Action::Background}},
        {"chcbpat", {Action::Background}},
        {"highlight", {Action::Background}},
        {"plain", {Action::PlainCharacters}},
        // Paragraph formatting
        {"pard", {Action::PlainParagraph}},
        {"ql", {Action::Alignment, Qt::AlignLeft}},
        {"qc", {Action::Alignment, Qt::AlignHCenter}},
        {"qr", {Action::Alignment, Qt::AlignRight}},
        {"qj", {Action::Alignment, Qt::AlignJustify}},
        {"qd", {Action::Alignment, Qt::AlignJustify}},
        {"li", {Action::LeftIndent}},
        {"ri", {Action::RightIndent}},
        {"fi", {Action::FirstIndent}},
        {"sb", {Action::SpaceBefore}},
        {"sa", {Action::SpaceAfter}},
        // Document settings, fonts and colours
        {"ansi", {Action::DocumentCodePage, 1252}},
        {"mac", {Action::DocumentCodePage, 10000}},
        {"pc", {Action::DocumentCodePage, 437}},
        {"pca", {Action::DocumentCodePage, 850}},
        {"ansicpg", {Action::DocumentCodePage, 0}},
        {"deff", {Action::DefaultFont}},
        {"fcharset", {Action::FontCharset}},
        {"cpg", {Action::FontCodePage}},
        {"red", {Action::Red}},
        {"green", {Action::Green}},
        {"blue", {Action::Blue}},
        // Groups whose content is not document text
        {"info", {Action::SkippedDestination}},
        {"stylesheet", {Action::SkippedDestination}},
        {"header", {Action::SkippedDestination}},
        {"headerl", {Action::SkippedDestination}},
        {"headerr", {Action::SkippedDestination}},
        {"headerf", {Action::SkippedDestination}},
        {"footer", {Action::SkippedDestination}},
        {"footerl", {Action::SkippedDestination}},
        {"footerr", {Action::SkippedDestination}},
        {"footerf", {Action::SkippedDestination}},
        {"footnote", {Action::SkippedDestination}},
        {"annotation", {Action::SkippedDestination}},
        {"atnid", {Action::SkippedDestination}},
        {"atnauthor", {Action::SkippedDestination}},
        {"xe", {Action::SkippedDestination}},
        {"tc", {Action::SkippedDestination}},
        {"tcn", {Action::SkippedDestination}},
        {"themedata", {Action::SkippedDestination}},
        {"colorschememapping", {Action::SkippedDestination}},
        {"latentstyles", {Action::SkippedDestination}},
        {"datastore", {Action::SkippedDestination}},
        {"xmlnstbl", {Action::SkippedDestination}},
        {"listtable", {Action::SkippedDestination}},
        {"listoverridetable", {Action::SkippedDestination}},
        {"rsidtbl", {Action::SkippedDestination}},
        {"generator", {Action::SkippedDestination}},
        {"mmathPr", {Action::SkippedDestination}},
        {"filetbl", {Action::SkippedDestination}},
        {"revtbl", {Action::SkippedDestination}},
        {"pgdsctbl", {Action::SkippedDestination}},
        {"template", {Action::SkippedDestination}},
        {"docvar", {Action::SkippedDestination}},
        {"userprops", {Action::SkippedDestination}},
        {"ftnsep", {Action::SkippedDestination}},
        {"ftnsepc", {Action::SkippedDestination}},
        {"ftncn", {Action::SkippedDestination}},
        {"aftnsep", {Action::SkippedDestination}},
        {"aftnsepc", {Action::SkippedDestination}},
        {"aftncn", {Action::SkippedDestination}},
        {"nonshppict", {Action::SkippedDestination}},  // the old copy of a picture given in \shppict
        {"shpinst", {Action::SkippedDestination}},
        {"do", {Action::SkippedDestination}},
        {"objdata", {Action::SkippedDestination}},
        {"private", {Action::SkippedDestination}},
        {"shppict", {Action::KnownDestination}},
        {"result", {Action::KnownDestination}},
        {"upr", {Action::KnownDestination}},
        {"fonttbl", {Action::FontTable}},
        {"colortbl", {Action::ColorTable}},
        {"field", {Action::Field}},
        {"fldinst", {Action::FieldInstruction}},
        {"fldrslt", {Action::FieldResult}},
        {"pict", {Action::Picture}},
        {"listtext", {Action::ListText}},
        {"pntext", {Action::ListText}},
        {"pn", {Action::Numbering}},
        {"pntxtb", {Action::NumberingBefore}},
        {"pntxta", {Action::NumberingAfter}},
        // Pictures
        {"pngblip", {Action::PictureFormat, PngPicture}},
        {"jpegblip", {Action::PictureFormat, JpegPicture}},
        {"picwgoal", {Action::PictureGoalWidth}},
        {"pichgoal", {Action::PictureGoalHeight}},
        {"picscalex", {Action::PictureScaleX}},
        {"picscaley", {Action::PictureScaleY}},
        // Old-style lists
        {"pnlvlblt", {Action::NumberingStyle, BulletNumber}},
        {"pnlvlbody", {Action::NumberingStyle, DecimalNumber}},
        {"pnlvlcont", {Action::NumberingStyle, NoNumber}},
        {"pndec", {Action::NumberingStyle, DecimalNumber}},
        {"pnlcltr", {Action::NumberingStyle, LowerLetter}},
        {"pnucltr", {Action::NumberingStyle, UpperLetter}},
        {"pnlcrm", {Action::NumberingStyle, LowerRoman}},
        {"pnucrm", {Action::NumberingStyle, UpperRoman}},
        {"pnstart", {Action::NumberingStart}},
    };
    return table;
}

} // namespace

const Keyword *findKeyword(QByteArrayView name)
{
    const Table &table = keywords();
    const auto found = table.find(std::string_view(name.data(), size_t(name.size())));
    return found == table.end() ? nullptr : &found->second;
}

bool isDestination(Action action)
{
    switch (action) {
    case Action::SkippedDestination:
    case Action::KnownDestination:
    case Action::FontTable:
    case Action::ColorTable:
    case Action::Field:
    case Action::FieldInstruction:
    case Action::FieldResult:
    case Action::Picture:
    case Action::ListText:
    case Action::Numbering:
    case Action::NumberingBefore:
    case Action::NumberingAfter:
        return true;
    default:
        return false;
    }
}

} // namespace wq::rtf
