#pragma once
// A small strict JSON reader for the tests: parses the whole text (RFC 8259
// grammar: no leading zeros, no trailing commas, escapes checked) into a tree,
// or reports where it broke.
#include <cstdlib>
#include <map>
#include <memory>
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
    double d = 0.0;
    std::string strNumber; // the number as written
    std::string str;
    std::vector<SJsonValue> arr;
    std::vector<std::pair<std::string, SJsonValue>> obj;

    const SJsonValue& operator[](size_t i) const { return arr.at(i); }
    const SJsonValue& Get(const std::string& strKey) const
    {
        for (const auto& [strName, value] : obj)
            if (strName == strKey)
                return value;
        throw std::runtime_error("no key " + strKey);
    }
};

class CMiniJson
{
public:
    // Throws std::runtime_error on any deviation from the grammar.
    static SJsonValue Parse(const std::string& strText)
    {
        CMiniJson parser(strText);
        parser.SkipBlanks();
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
    void Expect(char c)
    {
        if (Peek() != c)
            Fail(std::string("expected ") + c);
        ++m_nPos;
    }
    void SkipBlanks()
    {
        while (m_nPos < m_strText.size() &&
               std::string(" \t\r\n").find(m_strText[m_nPos]) != std::string::npos)
            ++m_nPos;
    }
    bool IsDigit(char c) const { return c >= '0' && c <= '9'; }

    SJsonValue ParseValue()
    {
        const char c = Peek();
        if (c == '[')
            return ParseArray();
        if (c == '{')
            return ParseObject();
        if (c == '"')
        {
            SJsonValue value;
            value.eKind = SJsonValue::String;
            value.str = ParseString();
            return value;
        }
        if (c == '-' || IsDigit(c))
            return ParseNumber();
        for (const char* pszWord : {"true", "false", "null"})
        {
            if (m_strText.compare(m_nPos, std::string(pszWord).size(), pszWord) == 0)
            {
                m_nPos += std::string(pszWord).size();
                SJsonValue value;
                value.eKind = pszWord[0] == 'n' ? SJsonValue::Null : SJsonValue::Bool;
                value.b = pszWord[0] == 't';
                return value;
            }
        }
        Fail("unexpected character");
    }

    SJsonValue ParseNumber()
    {
        const size_t nStart = m_nPos;
        if (Peek() == '-')
            ++m_nPos;
        if (Peek() == '0')
            ++m_nPos;
        else if (IsDigit(Peek()))
            while (IsDigit(Peek()))
                ++m_nPos;
        else
            Fail("digit expected");
        if (Peek() == '.')
        {
            ++m_nPos;
            if (!IsDigit(Peek()))
                Fail("fraction digit expected");
            while (IsDigit(Peek()))
                ++m_nPos;
        }
        if (Peek() == 'e' || Peek() == 'E')
        {
            ++m_nPos;
            if (Peek() == '+' || Peek() == '-')
                ++m_nPos;
            if (!IsDigit(Peek()))
                Fail("exponent digit expected");
            while (IsDigit(Peek()))
                ++m_nPos;
        }
        SJsonValue value;
        value.eKind = SJsonValue::Number;
        value.strNumber = m_strText.substr(nStart, m_nPos - nStart);
        value.d = std::strtod(value.strNumber.c_str(), nullptr);
        return value;
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
            if (c < 0x20)
                Fail("raw control character in string");
            if (c != '\\')
            {
                strOut += static_cast<char>(c);
                continue;
            }
            const char e = Peek();
            ++m_nPos;
            switch (e)
            {
            case '"':
                strOut += '"';
                break;
            case '\\':
                strOut += '\\';
                break;
            case '/':
                strOut += '/';
                break;
            case 'b':
                strOut += '\b';
                break;
            case 'f':
                strOut += '\f';
                break;
            case 'n':
                strOut += '\n';
                break;
            case 'r':
                strOut += '\r';
                break;
            case 't':
                strOut += '\t';
                break;
            case 'u':
            {
                if (m_nPos + 4 > m_strText.size())
                    Fail("short \\u escape");
                const std::string strHex = m_strText.substr(m_nPos, 4);
                char* pEnd = nullptr;
                const long nCode = std::strtol(strHex.c_str(), &pEnd, 16);
                if (*pEnd != '\0')
                    Fail("bad \\u escape");
                m_nPos += 4;
                if (nCode > 0xFF)
                    Fail("test texts are single-byte");
                strOut += static_cast<char>(nCode);
                break;
            }
            default:
                Fail("bad escape");
            }
        }
    }

    SJsonValue ParseArray()
    {
        Expect('[');
        SJsonValue value;
        value.eKind = SJsonValue::Array;
        SkipBlanks();
        if (Peek() == ']')
        {
            ++m_nPos;
            return value;
        }
        while (true)
        {
            SkipBlanks();
            value.arr.push_back(ParseValue());
            SkipBlanks();
            if (Peek() == ']')
            {
                ++m_nPos;
                return value;
            }
            Expect(',');
        }
    }

    SJsonValue ParseObject()
    {
        Expect('{');
        SJsonValue value;
        value.eKind = SJsonValue::Object;
        SkipBlanks();
        if (Peek() == '}')
        {
            ++m_nPos;
            return value;
        }
        while (true)
        {
            SkipBlanks();
            std::string strKey = ParseString();
            SkipBlanks();
            Expect(':');
            SkipBlanks();
            value.obj.emplace_back(std::move(strKey), ParseValue());
            SkipBlanks();
            if (Peek() == '}')
            {
                ++m_nPos;
                return value;
            }
            Expect(',');
        }
    }

    const std::string& m_strText;
    size_t m_nPos = 0;
};
