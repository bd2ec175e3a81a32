#include "RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace wq::rtf {

namespace {

// What each byte is, looked up once rather than compared range by range: a
// help text is tens of kilobytes, read byte by byte.
enum ByteKind : quint8 { Letter = 1, Digit = 2, LineEnd = 4, EndsText = 8 };
constexpr std::array<quint8, 256> ByteKinds = [] {
    std::array<quint8, 256> kinds{};
    for (int c = 'a'; c <= 'z'; ++c)
        kinds[c] = kinds[c - 'a' + 'A'] = Letter;
    for (int c = '0'; c <= '9'; ++c)
        kinds[c] = Digit;
    kinds['\r'] = kinds['\n'] = LineEnd | EndsText;
    // Bytes that end a run of text: they are either syntax or are dropped.
    kinds['\\'] = kinds['{'] = kinds['}'] = kinds['\0'] = EndsText;
    return kinds;
}();

bool is(char c, ByteKind kind) { return ByteKinds[uchar(c)] & kind; }
bool isLetter(char c) { return is(c, Letter); }
bool isDigit(char c) { return is(c, Digit); }
bool isLineEnd(char c) { return is(c, LineEnd); }

} // namespace

int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token Tokenizer::next()
{
    while (m_pos < m_data.size()) {
        const char c = m_data[m_pos];
        if (c == '{' || c == '}') {
            ++m_pos;
            Token token;
            token.type = c == '{' ? Token::GroupStart : Token::GroupEnd;
            return token;
        }
        if (c == '\\')
            return readControl();
        if (isLineEnd(c) || c == '\0') {
            ++m_pos;   // line ends carry no meaning in RTF; NUL bytes are damage
            continue;
        }
        return readText();
    }
    return {};
}

Token Tokenizer::readControl()
{
    ++m_pos;   // the backslash
    if (m_pos >= m_data.size())
        return {};
    const char c = m_data[m_pos];
    if (isLetter(c))
        return readControlWord();
    ++m_pos;
    if (c == '\'')
        return readHexByte();
    Token token;
    token.type = Token::ControlSymbol;
    // A backslash before a line end is an old way to write \par.
    token.symbol = isLineEnd(c) ? '\n' : c;
    return token;
}

Token Tokenizer::readControlWord()
{
    const qsizetype start = m_pos;
    const char *data = m_data.data();
    const qsizetype size = m_data.size();
    while (m_pos < size && isLetter(data[m_pos]))
        ++m_pos;
    Token token;
    token.type = Token::ControlWord;
    token.text = m_data.sliced(start, m_pos - start);
    token.parameter = readParameter(token.hasParameter);
    // One space after a control word only ends it.
    if (m_pos < m_data.size() && m_data[m_pos] == ' ')
        ++m_pos;
    if (token.text == "bin")
        return readBinary(token.hasParameter ? token.parameter : 0);
    return token;
}

// Reads an optional signed decimal number. Any number of digits is read, but
// the value is held within the range of int so huge numbers cannot overflow.
int Tokenizer::readParameter(bool &found)
{
    found = false;
    const bool negative = m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1]);
    if (negative)
        ++m_pos;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
        found = true;
        value = std::min(limit, value * 10 + (m_data[m_pos] - '0'));
        ++m_pos;
    }
    if (negative)
        return int(-value);
    return int(std::min(value, limit - 1));
}

Token Tokenizer::readHexByte()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_pos < m_data.size()) {
        const int digit = hexDigitValue(m_data[m_pos]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++digits;
        ++m_pos;
    }
    Token token;
    if (digits < 2) {
        // A broken or cut-off escape stands for nothing: as an unknown symbol it is ignored.
        token.type = Token::ControlSymbol;
        token.symbol = '\'';
        return token;
    }
    token.type = Token::HexByte;
    token.byte = static_cast<unsigned char>(value);
    return token;
}

// \binN is followed by N bytes of raw data that may contain any byte, braces
// too; a length past the end of the data takes what is left.
Token Tokenizer::readBinary(int length)
{
    const qsizetype count = std::min<qsizetype>(std::max(length, 0), m_data.size() - m_pos);
    Token token;
    token.type = Token::Binary;
    token.text = m_data.sliced(m_pos, count);
    m_pos += count;
    return token;
}

Token Tokenizer::readText()
{
    const qsizetype start = m_pos;
    const char *data = m_data.data();
    const qsizetype size = m_data.size();
    while (m_pos < size && !is(data[m_pos], EndsText))
        ++m_pos;
    Token token;
    token.type = Token::Text;
    token.text = m_data.sliced(start, m_pos - start);
    return token;
}

} // namespace wq::rtf
