// Reader for the subset of the resource-script language that the program's
// script uses: #define lines (so the ids of resource.h resolve when its text
// is part of the script), DIALOGEX/DIALOG templates written with CONTROL
// statements, and DLGINIT blocks. Other resources are skipped. Styles are
// computed as the resource compiler computes them: a CONTROL starts from
// WS_CHILD | WS_VISIBLE, each term is or-ed in and a NOT term clears its
// bits; FONT adds DS_SETFONT and CAPTION adds WS_CAPTION to the dialog.
//
// Conditional directives (#if, #ifdef, ...) are not evaluated: every line is
// read. #include lines are ignored, so the caller passes the text of included
// headers as part of the script.
#include "winapi/headless/rc_dialog.h"

#include <cctype>
#include <map>
#include <utility>

namespace {

// ---------------------------------------------------------------------------
// Tokens

enum TOKEN_KIND { TK_END, TK_NAME, TK_NUMBER, TK_STRING, TK_PUNCT };

struct TOKEN {
    TOKEN_KIND nKind = TK_END;
    std::string str;        // name, punctuation, or the string's bytes after escapes
    uint32_t dwValue = 0;   // number value
    bool bLong = false;     // number written with an L suffix
    bool bWide = false;     // L"..." string
    int nLine = 0;
};

using DEFINE_MAP = std::map<std::string, std::string>;

std::string LinePrefix(int nLine)
{
    return "line " + std::to_string(nLine) + ": ";
}

bool IsNameStart(char ch)
{
    return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_';
}

bool IsNameChar(char ch)
{
    return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
}

class CTokenizer {
public:
    CTokenizer(const std::string& strText, int nFirstLine, DEFINE_MAP* pDefines)
        : m_strText(strText), m_nLine(nFirstLine), m_pDefines(pDefines)
    {
    }

    bool Run(std::vector<TOKEN>& aTokens, std::string& strError)
    {
        m_pTokens = &aTokens;
        m_pError = &strError;
        while (m_nPos < m_strText.size()) {
            if (!Step())
                return false;
        }
        TOKEN end;
        end.nLine = m_nLine;
        aTokens.push_back(end);
        return true;
    }

private:
    char Peek(size_t nAhead = 0) const
    {
        return m_nPos + nAhead < m_strText.size() ? m_strText[m_nPos + nAhead] : '\0';
    }

    bool Fail(const std::string& strWhat)
    {
        *m_pError = LinePrefix(m_nLine) + strWhat;
        return false;
    }

    bool AtLineStart() const
    {
        for (size_t i = m_nPos; i > 0; --i) {
            const char ch = m_strText[i - 1];
            if (ch == '\n')
                return true;
            if (ch != ' ' && ch != '\t' && ch != '\r')
                return false;
        }
        return true;
    }

    bool Step()
    {
        const char ch = Peek();
        if (ch == '\n') {
            ++m_nLine;
            ++m_nPos;
            return true;
        }
        if (std::isspace(static_cast<unsigned char>(ch))) {
            ++m_nPos;
            return true;
        }
        if (ch == '/' && Peek(1) == '/') {
            SkipToLineEnd();
            return true;
        }
        if (ch == '/' && Peek(1) == '*')
            return SkipBlockComment();
        if (ch == '#' && AtLineStart())
            return ReadDirective();
        if (ch == '"')
            return ReadString(false);
        if ((ch == 'L' || ch == 'l') && Peek(1) == '"') {
            ++m_nPos;
            return ReadString(true);
        }
        if (std::isdigit(static_cast<unsigned char>(ch)))
            return ReadNumber();
        if (IsNameStart(ch)) {
            ReadName();
            return true;
        }
        TOKEN token;
        token.nKind = TK_PUNCT;
        token.str = std::string(1, ch);
        token.nLine = m_nLine;
        m_pTokens->push_back(token);
        ++m_nPos;
        return true;
    }

    void SkipToLineEnd()
    {
        while (m_nPos < m_strText.size() && m_strText[m_nPos] != '\n')
            ++m_nPos;
    }

    bool SkipBlockComment()
    {
        const int nStartLine = m_nLine;
        m_nPos += 2;
        while (m_nPos < m_strText.size()) {
            if (Peek() == '*' && Peek(1) == '/') {
                m_nPos += 2;
                return true;
            }
            if (Peek() == '\n')
                ++m_nLine;
            ++m_nPos;
        }
        m_nLine = nStartLine;
        return Fail("unterminated comment");
    }

    // A preprocessor line. Only object-like #define lines matter; the rest
    // (#include, #pragma, conditionals) are skipped.
    bool ReadDirective()
    {
        std::string strLine;
        while (m_nPos < m_strText.size() && m_strText[m_nPos] != '\n') {
            if (m_strText[m_nPos] == '\\' && Peek(1) == '\n') {
                m_nPos += 2;
                ++m_nLine;
                continue;
            }
            strLine += m_strText[m_nPos++];
        }
        const size_t nComment = strLine.find("//");
        if (nComment != std::string::npos)
            strLine.erase(nComment);
        size_t i = 1;
        auto skipBlanks = [&] {
            while (i < strLine.size() && (strLine[i] == ' ' || strLine[i] == '\t'))
                ++i;
        };
        skipBlanks();
        if (strLine.compare(i, 6, "define") != 0 || i + 6 >= strLine.size() || IsNameChar(strLine[i + 6]))
            return true;
        i += 6;
        skipBlanks();
        const size_t nNameStart = i;
        while (i < strLine.size() && IsNameChar(strLine[i]))
            ++i;
        if (i == nNameStart)
            return Fail("#define without a name");
        const std::string strName = strLine.substr(nNameStart, i - nNameStart);
        if (i < strLine.size() && strLine[i] == '(')
            return true;   // function-like macros are not used by resource scripts
        std::string strValue = strLine.substr(i);
        while (!strValue.empty() && std::isspace(static_cast<unsigned char>(strValue.back())))
            strValue.pop_back();
        if (m_pDefines)
            (*m_pDefines)[strName] = strValue;
        return true;
    }

    bool ReadEscape(std::string& strBytes)
    {
        const char ch = Peek();
        static const std::map<char, char> SIMPLE = {{'n', '\n'}, {'t', '\t'}, {'r', '\r'}, {'a', '\a'},
                                                    {'b', '\b'}, {'f', '\f'}, {'v', '\v'}, {'\\', '\\'},
                                                    {'"', '"'},  {'\'', '\''}, {'?', '?'}};
        const auto it = SIMPLE.find(ch);
        if (it != SIMPLE.end()) {
            strBytes += it->second;
            ++m_nPos;
            return true;
        }
        if (ch >= '0' && ch <= '7') {
            int nValue = 0;
            for (int n = 0; n < 3 && Peek() >= '0' && Peek() <= '7'; ++n)
                nValue = nValue * 8 + (m_strText[m_nPos++] - '0');
            strBytes += static_cast<char>(nValue & 0xFF);
            return true;
        }
        if (ch == 'x' || ch == 'X') {
            ++m_nPos;
            int nValue = 0;
            int nDigits = 0;
            for (; nDigits < 2 && std::isxdigit(static_cast<unsigned char>(Peek())); ++nDigits) {
                const char digit = m_strText[m_nPos++];
                nValue = nValue * 16 + (std::isdigit(static_cast<unsigned char>(digit)) ? digit - '0'
                                                                                         : std::tolower(digit) - 'a' + 10);
            }
            if (nDigits == 0)
                return Fail("\\x without digits in a string");
            strBytes += static_cast<char>(nValue);
            return true;
        }
        return Fail(std::string("unknown escape \\") + ch + " in a string");
    }

    bool ReadString(bool bWide)
    {
        TOKEN token;
        token.nKind = TK_STRING;
        token.bWide = bWide;
        token.nLine = m_nLine;
        ++m_nPos;   // opening quote
        for (;;) {
            if (m_nPos >= m_strText.size() || Peek() == '\n')
                return Fail("unterminated string");
            const char ch = m_strText[m_nPos++];
            if (ch == '"') {
                if (Peek() != '"')
                    break;
                token.str += '"';   // "" stands for one quote
                ++m_nPos;
            } else if (ch == '\\') {
                if (!ReadEscape(token.str))
                    return false;
            } else {
                token.str += ch;
            }
        }
        m_pTokens->push_back(token);
        return true;
    }

    bool ReadNumber()
    {
        const size_t nStart = m_nPos;
        while (IsNameChar(Peek()))
            ++m_nPos;
        const std::string strText = m_strText.substr(nStart, m_nPos - nStart);
        TOKEN token;
        token.nKind = TK_NUMBER;
        token.nLine = m_nLine;
        token.str = strText;
        if (!ParseNumberText(strText, token.dwValue, token.bLong))
            return Fail("bad number '" + strText + "'");
        m_pTokens->push_back(token);
        return true;
    }

    static bool ParseNumberText(const std::string& strText, uint32_t& dwValue, bool& bLong)
    {
        size_t i = 0;
        int nBase = 10;
        if (strText.size() > 2 && strText[0] == '0' && (strText[1] == 'x' || strText[1] == 'X')) {
            nBase = 16;
            i = 2;
        }
        uint64_t qwValue = 0;
        size_t nDigits = 0;
        for (; i < strText.size(); ++i, ++nDigits) {
            const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(strText[i])));
            int nDigit;
            if (ch >= '0' && ch <= '9')
                nDigit = ch - '0';
            else if (nBase == 16 && ch >= 'a' && ch <= 'f')
                nDigit = ch - 'a' + 10;
            else
                break;
            qwValue = qwValue * nBase + nDigit;
            if (qwValue > 0xFFFFFFFFull)
                return false;
        }
        if (nDigits == 0)
            return false;
        bLong = false;
        for (; i < strText.size(); ++i) {
            const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(strText[i])));
            if (ch == 'l')
                bLong = true;
            else if (ch != 'u')
                return false;
        }
        dwValue = static_cast<uint32_t>(qwValue);
        return true;
    }

    void ReadName()
    {
        const size_t nStart = m_nPos;
        while (IsNameChar(Peek()))
            ++m_nPos;
        TOKEN token;
        token.nKind = TK_NAME;
        token.str = m_strText.substr(nStart, m_nPos - nStart);
        token.nLine = m_nLine;
        m_pTokens->push_back(token);
    }

    const std::string& m_strText;
    size_t m_nPos = 0;
    int m_nLine;
    DEFINE_MAP* m_pDefines;
    std::vector<TOKEN>* m_pTokens = nullptr;
    std::string* m_pError = nullptr;
};

// ---------------------------------------------------------------------------
// Names the script may use without defining them: window, dialog and control
// styles, languages and resource types.

struct NAMED_VALUE {
    const char* pszName;
    uint32_t dwValue;
};

const NAMED_VALUE KNOWN_NAMES[] = {
    {"WS_OVERLAPPED", 0x00000000}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000}, {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000}, {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004}, {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_ACCEPTFILES", 0x00000010}, {"WS_EX_TRANSPARENT", 0x00000020}, {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100}, {"WS_EX_CLIENTEDGE", 0x00000200}, {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", 0x00020000}, {"WS_EX_APPWINDOW", 0x00040000},
    {"DS_ABSALIGN", 0x0001}, {"DS_SYSMODAL", 0x0002}, {"DS_3DLOOK", 0x0004}, {"DS_FIXEDSYS", 0x0008},
    {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020}, {"DS_SETFONT", 0x0040}, {"DS_MODALFRAME", 0x0080},
    {"DS_NOIDLEMSG", 0x0100}, {"DS_SETFOREGROUND", 0x0200}, {"DS_CONTROL", 0x0400}, {"DS_CENTER", 0x0800},
    {"DS_CENTERMOUSE", 0x1000}, {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x0048},
    {"BS_PUSHBUTTON", 0x0000}, {"BS_DEFPUSHBUTTON", 0x0001}, {"BS_CHECKBOX", 0x0002},
    {"BS_AUTOCHECKBOX", 0x0003}, {"BS_RADIOBUTTON", 0x0004}, {"BS_3STATE", 0x0005}, {"BS_AUTO3STATE", 0x0006},
    {"BS_GROUPBOX", 0x0007}, {"BS_USERBUTTON", 0x0008}, {"BS_AUTORADIOBUTTON", 0x0009},
    {"BS_OWNERDRAW", 0x000B}, {"BS_LEFTTEXT", 0x0020}, {"BS_TEXT", 0x0000}, {"BS_ICON", 0x0040},
    {"BS_BITMAP", 0x0080}, {"BS_LEFT", 0x0100}, {"BS_RIGHT", 0x0200}, {"BS_CENTER", 0x0300},
    {"BS_TOP", 0x0400}, {"BS_BOTTOM", 0x0800}, {"BS_VCENTER", 0x0C00}, {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
    {"CBS_SIMPLE", 0x0001}, {"CBS_DROPDOWN", 0x0002}, {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_OWNERDRAWFIXED", 0x0010}, {"CBS_OWNERDRAWVARIABLE", 0x0020}, {"CBS_AUTOHSCROLL", 0x0040},
    {"CBS_OEMCONVERT", 0x0080}, {"CBS_SORT", 0x0100}, {"CBS_HASSTRINGS", 0x0200},
    {"CBS_NOINTEGRALHEIGHT", 0x0400}, {"CBS_DISABLENOSCROLL", 0x0800}, {"CBS_UPPERCASE", 0x2000},
    {"CBS_LOWERCASE", 0x4000},
    {"ES_LEFT", 0x0000}, {"ES_CENTER", 0x0001}, {"ES_RIGHT", 0x0002}, {"ES_MULTILINE", 0x0004},
    {"ES_UPPERCASE", 0x0008}, {"ES_LOWERCASE", 0x0010}, {"ES_PASSWORD", 0x0020}, {"ES_AUTOVSCROLL", 0x0040},
    {"ES_AUTOHSCROLL", 0x0080}, {"ES_NOHIDESEL", 0x0100}, {"ES_OEMCONVERT", 0x0400}, {"ES_READONLY", 0x0800},
    {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
    {"SS_LEFT", 0x0000}, {"SS_CENTER", 0x0001}, {"SS_RIGHT", 0x0002}, {"SS_ICON", 0x0003},
    {"SS_BLACKRECT", 0x0004}, {"SS_GRAYRECT", 0x0005}, {"SS_WHITERECT", 0x0006}, {"SS_BLACKFRAME", 0x0007},
    {"SS_GRAYFRAME", 0x0008}, {"SS_WHITEFRAME", 0x0009}, {"SS_SIMPLE", 0x000B}, {"SS_LEFTNOWORDWRAP", 0x000C},
    {"SS_OWNERDRAW", 0x000D}, {"SS_BITMAP", 0x000E}, {"SS_ETCHEDHORZ", 0x0010}, {"SS_ETCHEDVERT", 0x0011},
    {"SS_ETCHEDFRAME", 0x0012}, {"SS_NOPREFIX", 0x0080}, {"SS_NOTIFY", 0x0100}, {"SS_CENTERIMAGE", 0x0200},
    {"SS_RIGHTJUST", 0x0400}, {"SS_REALSIZEIMAGE", 0x0800}, {"SS_SUNKEN", 0x1000},
    {"LANG_NEUTRAL", 0x00}, {"LANG_ENGLISH", 0x09}, {"LANG_KOREAN", 0x12},
    {"SUBLANG_NEUTRAL", 0x00}, {"SUBLANG_DEFAULT", 0x01},
    {"DLGINIT", 240}, {"RT_MANIFEST", 24},
};

bool FindKnownName(const std::string& strName, uint32_t& dwValue)
{
    for (const NAMED_VALUE& known : KNOWN_NAMES) {
        if (strName == known.pszName) {
            dwValue = known.dwValue;
            return true;
        }
    }
    return false;
}

bool IsMemoryFlag(const std::string& strName)
{
    static const char* const FLAGS[] = {"MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL", "DISCARDABLE"};
    for (const char* pszFlag : FLAGS)
        if (strName == pszFlag)
            return true;
    return false;
}

// Appends UTF-8 text as UTF-16 or UTF-32, whichever wchar_t holds.
bool AppendUtf8(const std::string& strBytes, std::wstring& str)
{
    for (size_t i = 0; i < strBytes.size();) {
        const unsigned char b = static_cast<unsigned char>(strBytes[i]);
        uint32_t dwCode;
        size_t nMore;
        if (b < 0x80) {
            dwCode = b;
            nMore = 0;
        } else if ((b & 0xE0) == 0xC0) {
            dwCode = b & 0x1F;
            nMore = 1;
        } else if ((b & 0xF0) == 0xE0) {
            dwCode = b & 0x0F;
            nMore = 2;
        } else if ((b & 0xF8) == 0xF0) {
            dwCode = b & 0x07;
            nMore = 3;
        } else {
            return false;
        }
        if (i + nMore >= strBytes.size())
            return false;
        for (size_t n = 1; n <= nMore; ++n) {
            const unsigned char c = static_cast<unsigned char>(strBytes[i + n]);
            if ((c & 0xC0) != 0x80)
                return false;
            dwCode = (dwCode << 6) | (c & 0x3F);
        }
        i += nMore + 1;
        if (sizeof(wchar_t) == 2 && dwCode >= 0x10000) {
            dwCode -= 0x10000;
            str += static_cast<wchar_t>(0xD800 + (dwCode >> 10));
            str += static_cast<wchar_t>(0xDC00 + (dwCode & 0x3FF));
        } else {
            str += static_cast<wchar_t>(dwCode);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Parser

class CScriptParser {
public:
    CScriptParser(std::string& strError, DEFINE_MAP& mapDefines) : m_strError(strError), m_mapDefines(mapDefines) {}

    bool Load(const std::string& strScript)
    {
        CTokenizer tokenizer(strScript, 1, &m_mapDefines);
        return tokenizer.Run(m_aTokens, m_strError);
    }

    // Moves to the resource nId of type strType ("DIALOG" matches DIALOG and
    // DIALOGEX; a number names a numeric type). On success the position is
    // just after the type.
    bool FindResource(int nId, const std::string& strType, uint32_t dwNumericType, std::string& strTypeSeen)
    {
        m_nPos = 0;
        while (Cur().nKind != TK_END) {
            if (IsName("LANGUAGE")) {
                if (!SkipLanguage())
                    return false;
                continue;
            }
            if (IsName("STRINGTABLE")) {
                if (!SkipToBlockAndOver())
                    return false;
                continue;
            }
            const TOKEN& name = Cur();
            if (name.nKind != TK_NAME && name.nKind != TK_NUMBER && name.nKind != TK_STRING)
                return FailAt(name, "expected a resource statement, found '" + name.str + "'");
            Next();
            const TOKEN& type = Cur();
            if (type.nKind != TK_NAME && type.nKind != TK_NUMBER && type.nKind != TK_STRING)
                return FailAt(type, "expected a resource type after '" + name.str + "'");
            Next();
            int nNameId;
            const bool bIdMatches = ResourceIdOf(name, nNameId) && nNameId == nId;
            if (bIdMatches && TypeMatches(type, strType, dwNumericType)) {
                strTypeSeen = type.str;
                return true;
            }
            if (!SkipResourceBody(type))
                return false;
        }
        m_strError = strType + " " + std::to_string(nId) + " not found";
        return false;
    }

    bool ParseDialogBody(int nId, bool bExtended, RC_DIALOG& dialog)
    {
        dialog = RC_DIALOG();
        dialog.nId = nId;
        dialog.dwStyle = 0x80000000u | 0x00800000u | 0x00080000u;   // WS_POPUP | WS_BORDER | WS_SYSMENU
        dialog.nCharset = 1;                                        // DEFAULT_CHARSET
        SkipMemoryFlags();
        int anRect[4];
        if (!ParseIntList(anRect, 4))
            return false;
        dialog.x = anRect[0];
        dialog.y = anRect[1];
        dialog.cx = anRect[2];
        dialog.cy = anRect[3];
        if (bExtended && IsPunct(",")) {
            Next();
            uint32_t dwHelpId;
            if (!ParseExpression(dwHelpId))
                return false;
        }
        if (!ParseDialogOptions(dialog))
            return false;
        if (!ExpectBlockStart())
            return false;
        while (!IsBlockEnd()) {
            if (Cur().nKind == TK_END)
                return FailAt(Cur(), "unterminated block of dialog " + std::to_string(nId));
            RC_CONTROL control;
            if (!ParseControl(control))
                return false;
            dialog.aControls.push_back(control);
        }
        Next();
        return true;
    }

    bool ParseDlgInitBody(std::vector<unsigned char>& data)
    {
        data.clear();
        SkipMemoryFlags();
        if (!ExpectBlockStart())
            return false;
        bool bFirst = true;
        while (!IsBlockEnd()) {
            if (Cur().nKind == TK_END)
                return FailAt(Cur(), "unterminated DLGINIT block");
            if (!bFirst && !Expect(","))
                return false;
            bFirst = false;
            if (IsBlockEnd())
                return FailAt(Cur(), "expected a data item after ','");
            if (!ParseDataItem(data))
                return false;
        }
        Next();
        return true;
    }

private:
    const TOKEN& Cur() const { return m_aTokens[m_nPos]; }
    void Next()
    {
        if (m_aTokens[m_nPos].nKind != TK_END)
            ++m_nPos;
    }
    bool IsName(const char* psz) const { return Cur().nKind == TK_NAME && Cur().str == psz; }
    bool IsPunct(const char* psz) const { return Cur().nKind == TK_PUNCT && Cur().str == psz; }
    bool IsBlockStart() const { return IsName("BEGIN") || IsPunct("{"); }
    bool IsBlockEnd() const { return IsName("END") || IsPunct("}"); }

    bool FailAt(const TOKEN& token, const std::string& strWhat)
    {
        m_strError = LinePrefix(token.nLine) + strWhat;
        return false;
    }

    bool Expect(const char* pszPunct)
    {
        if (!IsPunct(pszPunct))
            return FailAt(Cur(), std::string("expected '") + pszPunct + "', found '" + Cur().str + "'");
        Next();
        return true;
    }

    bool ExpectBlockStart()
    {
        if (!IsBlockStart())
            return FailAt(Cur(), "expected BEGIN, found '" + Cur().str + "'");
        Next();
        return true;
    }

    void SkipMemoryFlags()
    {
        while (Cur().nKind == TK_NAME && IsMemoryFlag(Cur().str))
            Next();
    }

    // --- skipping other resources

    bool SkipLanguage()
    {
        Next();
        uint32_t dwPrimary;
        uint32_t dwSub;
        return ParseExpression(dwPrimary) && Expect(",") && ParseExpression(dwSub);
    }

    bool SkipBlock()
    {
        const TOKEN& start = Cur();
        int nDepth = 0;
        do {
            if (Cur().nKind == TK_END)
                return FailAt(start, "unterminated block");
            if (IsBlockStart())
                ++nDepth;
            else if (IsBlockEnd())
                --nDepth;
            Next();
        } while (nDepth > 0);
        return true;
    }

    bool SkipToBlockAndOver()
    {
        const TOKEN& start = Cur();
        while (!IsBlockStart()) {
            if (Cur().nKind == TK_END || IsBlockEnd())
                return FailAt(start, "resource '" + start.str + "' has no BEGIN ... END block");
            Next();
        }
        return SkipBlock();
    }

    // A resource is either a file name (BITMAP "x.bmp", 24 "x.manifest") or
    // header statements followed by a block.
    bool SkipResourceBody(const TOKEN& type)
    {
        SkipMemoryFlags();
        if (Cur().nKind == TK_STRING) {
            Next();
            return true;
        }
        if (type.nKind == TK_NAME && (type.str == "BITMAP" || type.str == "ICON" || type.str == "CURSOR"))
            return FailAt(Cur(), type.str + " without a file name");
        return SkipToBlockAndOver();
    }

    bool ResourceIdOf(const TOKEN& token, int& nId)
    {
        if (token.nKind == TK_NUMBER) {
            nId = static_cast<int>(token.dwValue);
            return true;
        }
        if (token.nKind != TK_NAME || !m_mapDefines.count(token.str))
            return false;   // a named resource
        uint32_t dwValue;
        if (!EvaluateDefine(token.str, dwValue, 0))
            return false;
        nId = static_cast<int>(dwValue);
        return true;
    }

    bool TypeMatches(const TOKEN& type, const std::string& strType, uint32_t dwNumericType)
    {
        if (type.nKind == TK_NAME && (type.str == strType || (strType == "DIALOG" && type.str == "DIALOGEX")))
            return true;
        if (dwNumericType == 0)
            return false;
        if (type.nKind == TK_NUMBER)
            return type.dwValue == dwNumericType;
        uint32_t dwValue;
        if (type.nKind == TK_NAME && m_mapDefines.count(type.str) && EvaluateDefine(type.str, dwValue, 0))
            return dwValue == dwNumericType;
        return false;
    }

    // --- expressions

    bool EvaluateDefine(const std::string& strName, uint32_t& dwValue, int nDepth)
    {
        if (nDepth > 16) {
            m_strError = "#define " + strName + " nests too deeply";
            return false;
        }
        std::vector<TOKEN> aTokens;
        std::string strError;
        CTokenizer tokenizer(m_mapDefines[strName], Cur().nLine, nullptr);
        if (!tokenizer.Run(aTokens, strError) || aTokens.size() < 2) {
            m_strError = "#define " + strName + " has no value";
            return false;
        }
        CScriptParser inner(m_strError, m_mapDefines);
        inner.m_aTokens = std::move(aTokens);
        inner.m_nDepth = nDepth + 1;
        if (!inner.ParseExpression(dwValue))
            return false;
        if (inner.Cur().nKind != TK_END)
            return inner.FailAt(inner.Cur(), "#define " + strName + " is not a number");
        return true;
    }

    bool ParsePrimary(uint32_t& dwValue, bool* pbLong)
    {
        const TOKEN& token = Cur();
        if (IsPunct("(")) {
            Next();
            return ParseOr(dwValue, pbLong) && Expect(")");
        }
        if (IsPunct("-") || IsPunct("~")) {
            const bool bNegate = token.str == "-";
            Next();
            if (!ParsePrimary(dwValue, pbLong))
                return false;
            dwValue = bNegate ? 0u - dwValue : ~dwValue;
            return true;
        }
        if (token.nKind == TK_NUMBER) {
            dwValue = token.dwValue;
            if (pbLong && token.bLong)
                *pbLong = true;
            Next();
            return true;
        }
        if (token.nKind == TK_NAME) {
            if (m_mapDefines.count(token.str)) {
                if (!EvaluateDefine(token.str, dwValue, m_nDepth))
                    return false;
            } else if (!FindKnownName(token.str, dwValue)) {
                return FailAt(token, "unknown name '" + token.str + "'");
            }
            Next();
            return true;
        }
        return FailAt(token, "expected a number, found '" + token.str + "'");
    }

    bool ParseAdd(uint32_t& dwValue, bool* pbLong)
    {
        if (!ParsePrimary(dwValue, pbLong))
            return false;
        while (IsPunct("+") || IsPunct("-")) {
            const bool bAdd = Cur().str == "+";
            Next();
            uint32_t dwRight;
            if (!ParsePrimary(dwRight, pbLong))
                return false;
            dwValue = bAdd ? dwValue + dwRight : dwValue - dwRight;
        }
        return true;
    }

    bool ParseAnd(uint32_t& dwValue, bool* pbLong)
    {
        if (!ParseAdd(dwValue, pbLong))
            return false;
        while (IsPunct("&")) {
            Next();
            uint32_t dwRight;
            if (!ParseAdd(dwRight, pbLong))
                return false;
            dwValue &= dwRight;
        }
        return true;
    }

    bool ParseOr(uint32_t& dwValue, bool* pbLong)
    {
        if (!ParseAnd(dwValue, pbLong))
            return false;
        while (IsPunct("|")) {
            Next();
            uint32_t dwRight;
            if (!ParseAnd(dwRight, pbLong))
                return false;
            dwValue |= dwRight;
        }
        return true;
    }

    bool ParseExpression(uint32_t& dwValue, bool* pbLong = nullptr) { return ParseOr(dwValue, pbLong); }

    bool ParseInt(int& nValue)
    {
        uint32_t dwValue;
        if (!ParseExpression(dwValue))
            return false;
        nValue = static_cast<int>(dwValue);
        return true;
    }

    bool ParseIntList(int* anValues, int nCount)
    {
        for (int i = 0; i < nCount; ++i) {
            if (i > 0 && !Expect(","))
                return false;
            if (!ParseInt(anValues[i]))
                return false;
        }
        return true;
    }

    // Style terms joined by '|'; a NOT term clears its bits from what the
    // terms before it (and the defaults) set.
    bool ParseStyle(uint32_t dwDefault, uint32_t& dwStyle)
    {
        dwStyle = dwDefault;
        for (;;) {
            const bool bNot = IsName("NOT");
            if (bNot)
                Next();
            uint32_t dwTerm;
            if (!ParseAnd(dwTerm, nullptr))
                return false;
            dwStyle = bNot ? (dwStyle & ~dwTerm) : (dwStyle | dwTerm);
            if (!IsPunct("|"))
                return true;
            Next();
        }
    }

    bool ParseText(std::wstring& str)
    {
        if (Cur().nKind != TK_STRING)
            return FailAt(Cur(), "expected a string, found '" + Cur().str + "'");
        if (!AppendUtf8(Cur().str, str))
            return FailAt(Cur(), "string is not valid UTF-8");
        Next();
        return true;
    }

    // --- dialogs

    bool ParseDialogOptions(RC_DIALOG& dialog)
    {
        while (!IsBlockStart()) {
            const TOKEN& option = Cur();
            if (option.nKind != TK_NAME)
                return FailAt(option, "expected BEGIN, found '" + option.str + "'");
            Next();
            bool bOk;
            if (option.str == "STYLE") {
                bOk = ParseStyle(0, dialog.dwStyle);
            } else if (option.str == "EXSTYLE") {
                bOk = ParseStyle(0, dialog.dwExStyle);
            } else if (option.str == "CAPTION") {
                dialog.strCaption.clear();
                bOk = ParseText(dialog.strCaption);
                dialog.dwStyle |= 0x00C00000u;   // WS_CAPTION
            } else if (option.str == "FONT") {
                bOk = ParseFont(dialog);
            } else if (option.str == "LANGUAGE") {
                uint32_t dwPrimary;
                uint32_t dwSub;
                bOk = ParseExpression(dwPrimary) && Expect(",") && ParseExpression(dwSub);
            } else if (option.str == "CHARACTERISTICS" || option.str == "VERSION") {
                uint32_t dwIgnored;
                bOk = ParseExpression(dwIgnored);
            } else if (option.str == "MENU" || option.str == "CLASS") {
                bOk = Cur().nKind != TK_END;
                Next();
            } else {
                return FailAt(option, "unknown dialog option '" + option.str + "'");
            }
            if (!bOk)
                return false;
        }
        return true;
    }

    bool ParseFont(RC_DIALOG& dialog)
    {
        if (!ParseInt(dialog.nPointSize) || !Expect(","))
            return false;
        dialog.strFontFace.clear();
        if (!ParseText(dialog.strFontFace))
            return false;
        dialog.dwStyle |= 0x40;   // DS_SETFONT
        int* apnOptional[] = {&dialog.nWeight, &dialog.bItalic, &dialog.nCharset};
        for (int* pnValue : apnOptional) {
            if (!IsPunct(","))
                break;
            Next();
            if (!ParseInt(*pnValue))
                return false;
        }
        return true;
    }

    bool ParseControlClass(std::wstring& strClass)
    {
        const TOKEN& token = Cur();
        if (token.nKind == TK_STRING)
            return ParseText(strClass);
        static const char* const CLASSES[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
        for (const char* pszClass : CLASSES) {
            if (token.nKind == TK_NAME && token.str == pszClass) {
                AppendUtf8(token.str, strClass);
                Next();
                return true;
            }
        }
        return FailAt(token, "expected a control class, found '" + token.str + "'");
    }

    bool ParseControl(RC_CONTROL& control)
    {
        const TOKEN& keyword = Cur();
        if (keyword.nKind != TK_NAME)
            return FailAt(keyword, "expected a control statement, found '" + keyword.str + "'");
        if (keyword.str != "CONTROL")
            return FailAt(keyword, "control statement " + keyword.str + " is not supported; write it as CONTROL");
        Next();

        control = RC_CONTROL();
        if (Cur().nKind == TK_NUMBER) {
            control.strText = L"#" + std::to_wstring(Cur().dwValue);   // an image named by its id
            Next();
        } else if (!ParseText(control.strText)) {
            return false;
        }
        if (!Expect(",") || !ParseInt(control.nId) || !Expect(",") || !ParseControlClass(control.strClass) ||
            !Expect(","))
            return false;
        if (!ParseStyle(0x40000000u | 0x10000000u, control.dwStyle) || !Expect(","))   // WS_CHILD | WS_VISIBLE
            return false;
        int anRect[4];
        if (!ParseIntList(anRect, 4))
            return false;
        control.x = anRect[0];
        control.y = anRect[1];
        control.cx = anRect[2];
        control.cy = anRect[3];
        if (IsPunct(",")) {
            Next();
            if (!ParseStyle(0, control.dwExStyle))
                return false;
            if (IsPunct(",")) {
                Next();
                uint32_t dwHelpId;
                if (!ParseExpression(dwHelpId))
                    return false;
            }
        }
        if (IsBlockStart())
            return FailAt(Cur(), "control data blocks are not supported");
        return true;
    }

    // --- DLGINIT data: numbers are WORDs (DWORDs with an L suffix), strings
    // their bytes without a terminator.

    bool ParseDataItem(std::vector<unsigned char>& data)
    {
        if (Cur().nKind == TK_STRING) {
            if (Cur().bWide) {
                std::wstring str;
                AppendUtf8(Cur().str, str);
                for (wchar_t ch : str) {
                    data.push_back(static_cast<unsigned char>(ch & 0xFF));
                    data.push_back(static_cast<unsigned char>((ch >> 8) & 0xFF));
                }
            } else {
                data.insert(data.end(), Cur().str.begin(), Cur().str.end());
            }
            Next();
            return true;
        }
        uint32_t dwValue;
        bool bLong = false;
        if (!ParseExpression(dwValue, &bLong))
            return false;
        const int nBytes = bLong ? 4 : 2;
        for (int i = 0; i < nBytes; ++i)
            data.push_back(static_cast<unsigned char>((dwValue >> (8 * i)) & 0xFF));
        return true;
    }

    std::string& m_strError;
    DEFINE_MAP& m_mapDefines;
    std::vector<TOKEN> m_aTokens;
    size_t m_nPos = 0;
    int m_nDepth = 0;
};

} // namespace

bool RcParseDialog(const std::string& strScript, int nDialogId, RC_DIALOG& dialog, std::string& strError)
{
    strError.clear();
    DEFINE_MAP mapDefines;
    CScriptParser parser(strError, mapDefines);
    std::string strType;
    if (!parser.Load(strScript) || !parser.FindResource(nDialogId, "DIALOG", 0, strType))
        return false;
    return parser.ParseDialogBody(nDialogId, strType == "DIALOGEX", dialog);
}

bool RcParseDlgInit(const std::string& strScript, int nDialogId, std::vector<unsigned char>& data,
                    std::string& strError)
{
    strError.clear();
    DEFINE_MAP mapDefines;
    CScriptParser parser(strError, mapDefines);
    std::string strType;
    if (!parser.Load(strScript) || !parser.FindResource(nDialogId, "DLGINIT", 240, strType))
        return false;
    return parser.ParseDlgInitBody(data);
}
