#include "framework/parser/desc_parser.h"

#include "framework/pak/pak_interface.h"
#include "framework/util/string_util.h"

namespace Kavo {

namespace {

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == ',';
}

} // namespace

bool DescParser::Error(const std::string& message) {
    mError = message;
    return false;
}

DataElement* DescParser::GetDefine(const std::string& name) {
    auto found = mDefineMap.find(StringToUpper(name));
    return found == mDefineMap.end() ? nullptr : found->second.get();
}

template <typename T>
bool DescParser::ConvertStrings(const DataElement* element, std::vector<T>* values,
                                bool (*convert)(const std::string&, T*)) {
    values->clear();
    std::vector<std::string> texts;
    if (!ElementToStringVector(element, &texts))
        return false;
    for (const std::string& text : texts) {
        T value;
        if (!convert(text, &value))
            return false;
        values->push_back(value);
    }
    return true;
}

bool DescParser::DerefFailure(const std::string& name) {
    return Error("Unable to Dereference \"" + name + "\"");
}

bool DescParser::HandleCollected() {
    bool ok = true;
    if (!mCurrentLine.empty())
        ok = ParseLine(mCurrentLine);
    mCurrentLine.clear();
    return ok;
}

bool DescParser::LoadFile(const std::string& fileName) {
    mError.clear();
    mCurrentLine.clear();
    mCurrentLineNum = 0;

    PakFile* file = PakOpenFile(fileName, "r");
    if (file == nullptr)
        return false;

    bool ok = true;
    int lineNum = 1;
    bool atLineStart = true;
    bool indented = false;
    bool inComment = false;
    bool inSingle = false;
    bool inDouble = false;
    bool escaped = false;

    auto endCommand = [&]() {
        inSingle = inDouble = escaped = false;
        return HandleCollected();
    };

    for (int c = PakGetC(file); ok && c >= 0; c = PakGetC(file)) {
        if (c == '\r')
            continue;
        if (atLineStart) {
            if (c == ' ' || c == '\t') {
                indented = true;
                continue;
            }
            if (c == '\n') {
                ++lineNum;
                indented = false;
                continue;
            }
            atLineStart = false;
            if ((mCmdSep & CMDSEP_NO_INDENT) && !indented && !mCurrentLine.empty() && !endCommand()) {
                ok = false;
                break;
            }
            if (c == '#') {
                inComment = true;
                continue;
            }
        }
        if (c == '\n') {
            ++lineNum;
            atLineStart = true;
            indented = false;
            // A backslash in quotes escapes the line feed itself; the next
            // line is read as usual.
            escaped = false;
            // The line feed separates parameters of a command spread over lines.
            if (!inComment && !mCurrentLine.empty())
                mCurrentLine += '\n';
            inComment = false;
            continue;
        }
        if (inComment)
            continue;

        const char ch = static_cast<char>(c);
        if (escaped) {
            escaped = false;
        } else if (ch == '\\' && (inSingle || inDouble)) {
            escaped = true;
        } else if (ch == '\'' && !inDouble) {
            inSingle = !inSingle;
        } else if (ch == '"' && !inSingle) {
            inDouble = !inDouble;
        } else if (ch == ';' && !inSingle && !inDouble && (mCmdSep & CMDSEP_SEMICOLON)) {
            ok = endCommand();
            continue;
        }
        if (mCurrentLine.empty()) {
            if (ch == ' ' || ch == '\t')
                continue;
            mCurrentLineNum = lineNum;
        }
        mCurrentLine += ch;
    }
    if (ok)
        ok = endCommand();

    mCurrentLine.clear();
    mCurrentLineNum = 0;
    PakCloseFile(file);
    return ok;
}

bool DescParser::ParseLine(const std::string& line) {
    ListDataElement list;
    size_t index = 0;
    if (!TokenizeList(line, &list, false, &index))
        return false;
    if (list.Size() == 0)
        return true;
    if (list.At(0)->mIsList)
        return Error("Missing Command");
    return HandleCommand(list);
}

bool DescParser::TokenizeList(const std::string& text, ListDataElement* list, bool expectListEnd, size_t* index) {
    bool inSingle = false;
    bool inDouble = false;
    bool escaped = false;
    SingleDataElement* current = nullptr;

    auto store = [&](char c) {
        if (current == nullptr) {
            current = new SingleDataElement();
            list->Add(current);
        }
        current->mString += c;
    };

    while (*index < text.size()) {
        const char c = text[(*index)++];
        if (escaped) {
            escaped = false;
            store(c);
        } else if (c == '\\') {
            escaped = true;
        } else if (c == '\'' && !inDouble) {
            inSingle = !inSingle;
            store(c);
        } else if (c == '"' && !inSingle) {
            inDouble = !inDouble;
            store(c);
        } else if (inSingle || inDouble) {
            store(c);
        } else if (c == ')') {
            if (expectListEnd)
                return true;
            return Error("Unexpected List End");
        } else if (c == '(') {
            if (current != nullptr)
                return Error("Unexpected List Start");
            ListDataElement* child = new ListDataElement();
            list->Add(child);
            if (!TokenizeList(text, child, true, index))
                return false;
        } else if (IsSeparator(c)) {
            current = nullptr;
        } else {
            store(c);
        }
    }

    if (inSingle)
        return Error("Unterminated Single Quotes");
    if (inDouble)
        return Error("Unterminated Double Quotes");
    if (expectListEnd)
        return Error("Unterminated List");
    return true;
}

bool DescParser::IsLiteral(const std::string& text) const {
    if (text.empty())
        return false;
    const char c = text[0];
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || IsQuote(c);
}

std::string DescParser::Unquote(const std::string& quoted) const {
    if (quoted.empty() || !IsQuote(quoted[0]))
        return quoted;
    const char quote = quoted[0];
    std::string result;
    for (size_t i = 0; i < quoted.size(); ++i) {
        // A doubled quote stands for one quote character.
        if (quoted[i] != quote || (i > 0 && quoted[i - 1] == quote))
            result += quoted[i];
    }
    return result;
}

bool DescParser::DerefList(const ListDataElement* source, ListDataElement* destination) {
    destination->Clear();
    for (const auto& element : source->mElementVector) {
        if (element->mIsList) {
            ListDataElement* child = new ListDataElement();
            destination->Add(child);
            if (!DerefList(static_cast<const ListDataElement*>(element.get()), child))
                return false;
            continue;
        }
        const std::string& text = static_cast<const SingleDataElement*>(element.get())->mString;
        if (text.empty())
            continue;
        if (IsQuote(text[0])) {
            destination->Add(new SingleDataElement(Unquote(text)));
        } else if (IsLiteral(text)) {
            destination->Add(new SingleDataElement(text));
        } else {
            DataElement* definition = GetDefine(text);
            if (definition == nullptr)
                return DerefFailure(text);
            destination->Add(definition->Duplicate());
        }
    }
    return true;
}

std::string DescParser::ElementToText(const DataElement* element) const {
    if (!element->mIsList)
        return static_cast<const SingleDataElement*>(element)->mString;
    const auto* list = static_cast<const ListDataElement*>(element);
    std::string text = "(";
    for (size_t i = 0; i < list->Size(); ++i) {
        if (i > 0)
            text += ", ";
        text += ElementToText(list->At(i));
    }
    return text + ")";
}

bool DescParser::ElementToString(const DataElement* element, std::string* value) {
    if (element->mIsList)
        return false;
    const std::string& text = static_cast<const SingleDataElement*>(element)->mString;
    if (const DataElement* definition = GetDefine(text)) {
        if (definition->mIsList)
            return false;
        *value = Unquote(static_cast<const SingleDataElement*>(definition)->mString);
        return true;
    }
    *value = Unquote(text);
    return true;
}

bool DescParser::ElementToStringVector(const DataElement* element, std::vector<std::string>* values) {
    values->clear();
    ListDataElement resolved;
    if (element->mIsList) {
        if (!DerefList(static_cast<const ListDataElement*>(element), &resolved))
            return false;
    } else {
        const std::string& name = static_cast<const SingleDataElement*>(element)->mString;
        const DataElement* definition = GetDefine(name);
        if (definition == nullptr)
            return DerefFailure(name);
        if (!definition->mIsList)
            return false;
        if (!DerefList(static_cast<const ListDataElement*>(definition), &resolved))
            return false;
    }
    for (const auto& item : resolved.mElementVector) {
        if (item->mIsList)
            return false;
        values->push_back(static_cast<const SingleDataElement*>(item.get())->mString);
    }
    return true;
}

bool DescParser::GetListElement(const DataElement* element, ListDataElement* list) {
    if (element->mIsList)
        return DerefList(static_cast<const ListDataElement*>(element), list);
    const DataElement* definition = GetDefine(static_cast<const SingleDataElement*>(element)->mString);
    if (definition == nullptr || !definition->mIsList)
        return false;
    *list = *static_cast<const ListDataElement*>(definition);
    return true;
}

bool DescParser::ElementToIntVector(const DataElement* element, std::vector<int>* values) {
    return ConvertStrings(element, values, StringToInt);
}

bool DescParser::ElementToDoubleVector(const DataElement* element, std::vector<double>* values) {
    return ConvertStrings(element, values, StringToDouble);
}

} // namespace Kavo
