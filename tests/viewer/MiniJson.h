#pragma once
// A small strict JSON reader for the tests and the quoting fuzz target: parses
// the whole text (RFC 8259 grammar: no leading zeros, no trailing commas,
// escapes checked) into a tree, or throws std::runtime_error saying where it
// broke. Strings hold single-byte text: a raw byte outside printable ASCII or
// a \u escape above 0xFF is refused, as the program escapes every such byte.
#include <stdexcept>
#include <string>
#include <vector>

struct SJsonValue
{
    enum EKind
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object
    } eKind = Null;
    bool b = false;
    std::string strNumber; // the number as written
    std::string str;
    std::vector<SJsonValue> arr;      // the elements, or an object's values
    std::vector<std::string> arrKeys; // an object's names, beside its values

    const SJsonValue& operator[](size_t i) const { return arr.at(i); }
    const SJsonValue& Get(const std::string& strKey) const
    {
        for (size_t i = 0; i < arrKeys.size(); ++i)
            if (arrKeys[i] == strKey)
                return arr[i];
        throw std::runtime_error("no key " + strKey);
    }
};

class CMiniJson
{
public:
    static SJsonValue Parse(const std::string& strText)
    {
        CMiniJson parser(strText);
        SJsonValue value = parser.ParseValue();
        parser.SkipBlanks();
        if (parser.m_nPos != strText.size())
            parser.Fail("text after the value");
        return value;
    }

private:
    explicit CMiniJson(const std::string& strText) : m_strText(strText) {}

    [[noreturn]] void Fail(const std::string& strWhat) const
    {
        throw std::runtime_error(strWhat + " at " + std::to_string(m_nPos));
    }
    char Peek() const { return m_nPos < m_strText.size() ? m_strText[m_nPos] : '\0'; }
    bool Take(char c)
    {
        if (Peek() != c)
            return false;
        ++m_nPos;
        return true;
    }
    void Expect(char c)
    {
        if (!Take(c))
            Fail(std::string("expected ") + c);
    }
    void SkipBlanks()
    {
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')
            ++m_nPos;
    }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    void Digits(const char* pszWhat)
    {
        if (!IsDigit(Peek()))
            Fail(pszWhat);
        while (IsDigit(Peek()))
            ++m_nPos;
    }

    SJsonValue ParseValue()
    {
        SkipBlanks();
        SJsonValue value;
        const char c = Peek();
        if (c == '[' || c == '{')
            ParseContainer(value);
        else if (c == '"')
        {
            value.eKind = SJsonValue::String;
            value.str = ParseString();
        }
        else if (c == '-' || IsDigit(c))
        {
            const size_t nStart = m_nPos;
            Take('-');
            if (!Take('0'))
                Digits("digit expected");
            if (Take('.'))
                Digits("fraction digit expected");
            if (Take('e') || Take('E'))
            {
                if (!Take('+'))
                    Take('-');
                Digits("exponent digit expected");
            }
            value.eKind = SJsonValue::Number;
            value.strNumber = m_strText.substr(nStart, m_nPos - nStart);
        }
        else
        {
            for (const std::string strWord : {"true", "false", "null"})
            {
                if (m_strText.compare(m_nPos, strWord.size(), strWord) == 0)
                {
                    m_nPos += strWord.size();
                    value.eKind = strWord == "null" ? SJsonValue::Null : SJsonValue::Bool;
                    value.b = strWord == "true";
                    return value;
                }
            }
            Fail("unexpected character");
        }
        return value;
    }

    void ParseContainer(SJsonValue& value)
    {
        const bool bObject = Peek() == '{';
        const char cClose = bObject ? '}' : ']';
        value.eKind = bObject ? SJsonValue::Object : SJsonValue::Array;
        ++m_nPos;
        SkipBlanks();
        if (Take(cClose))
            return;
        do
        {
            if (bObject)
            {
                SkipBlanks();
                value.arrKeys.push_back(ParseString());
                SkipBlanks();
                Expect(':');
            }
            value.arr.push_back(ParseValue());
            SkipBlanks();
        } while (Take(','));
        Expect(cClose);
    }

    std::string ParseString()
    {
        Expect('"');
        std::string strOut;
        while (true)
        {
            if (m_nPos >= m_strText.size())
                Fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(m_strText[m_nPos++]);
            if (c == '"')
                return strOut;
            if (c < 0x20 || c >= 0x7F)
                Fail("raw byte outside printable ASCII in string");
            if (c != '\\')
            {
                strOut += static_cast<char>(c);
                continue;
            }
            const char e = Peek();
            ++m_nPos;
            const std::string strEscapes = "\"\\/bfnrt";
            const std::string strMeanings = "\"\\/\b\f\n\r\t";
            if (e != '\0' && strEscapes.find(e) != std::string::npos)
                strOut += strMeanings[strEscapes.find(e)];
            else if (e == 'u')
                strOut += ParseUnicodeEscape();
            else
                Fail("bad escape");
        }
    }

    char ParseUnicodeEscape()
    {
        int nCode = 0;
        for (int k = 0; k < 4; ++k)
        {
            const char h = Peek();
            ++m_nPos;
            const int nDigit = IsDigit(h)               ? h - '0'
                               : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                               : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                                        : -1;
            if (nDigit < 0)
                Fail("bad \\u escape");
            nCode = nCode * 16 + nDigit;
        }
        if (nCode > 0xFF)
            Fail("test texts are single-byte");
        return static_cast<char>(nCode);
    }

    const std::string& m_strText;
    size_t m_nPos = 0;
};
