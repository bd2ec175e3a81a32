#pragma once
// Splits RTF bytes into tokens: group braces, control words, control
// symbols, hex escapes, runs of plain text and binary data. It never fails:
// every byte sequence gives some tokens, and the end of the data ends them.

#include <QByteArrayView>

namespace wq::rtf {

struct Token {
    enum Type {
        End,            // no more data
        GroupStart,     // {
        GroupEnd,       // }
        ControlWord,    // \name or \nameN; `text` is the name
        ControlSymbol,  // \ and one other character, in `symbol`
        HexByte,        // \'hh; the byte is in `byte`
        Text,           // plain bytes, without line ends and NUL bytes
        Binary,         // the data of \binN, in `text`
    };
    Type type = End;
    QByteArrayView text;
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char byte = 0;
};

// The value of a hexadecimal digit, or -1 for any other byte.
int hexDigitValue(char c);

class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView data) : m_data(data) {}
    Token next();

private:
    Token readControl();
    Token readControlWord();
    Token readHexByte();
    Token readBinary(int length);
    Token readText();
    int readParameter(bool &found);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace wq::rtf
