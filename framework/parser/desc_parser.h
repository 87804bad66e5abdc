#pragma once
// Reader of the descriptor language: commands of a name and parameters
// (numbers, quoted strings, names of earlier definitions, parenthesised
// lists), one per line or separated by ';'. A subclass handles each
// command and fills the definitions.

#include "framework/parser/data_element.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Kavo {

class DescParser {
public:
    enum CommandSeparation {
        CMDSEP_SEMICOLON = 1, // ';' ends a command
        CMDSEP_NO_INDENT = 2, // a line that starts unindented begins a new command
    };

    DescParser() = default;
    virtual ~DescParser() = default;
    DescParser(const DescParser&) = delete;
    DescParser& operator=(const DescParser&) = delete;

    // Stores the message and returns false, so that callers can return it.
    virtual bool Error(const std::string& message);
    // The definition stored under the upper-cased name, or nullptr.
    virtual DataElement* GetDefine(const std::string& name);
    // The command's elements, the command name first.
    virtual bool HandleCommand(const ListDataElement& params) = 0;

    bool LoadFile(const std::string& fileName);

    // Numbers and quoted strings stand for themselves; anything else names
    // a definition.
    bool IsLiteral(const std::string& text) const;
    std::string Unquote(const std::string& quoted) const;
    // Copies source into destination with names replaced by their
    // definitions and quoted strings unquoted.
    bool DerefList(const ListDataElement* source, ListDataElement* destination);
    std::string ElementToText(const DataElement* element) const;
    bool ElementToString(const DataElement* element, std::string* value);
    bool ElementToStringVector(const DataElement* element, std::vector<std::string>* values);
    bool GetListElement(const DataElement* element, ListDataElement* list);
    bool ElementToIntVector(const DataElement* element, std::vector<int>* values);
    bool ElementToDoubleVector(const DataElement* element, std::vector<double>* values);

    int mCmdSep = CMDSEP_SEMICOLON;
    std::string mError;
    int mCurrentLineNum = 0;  // line on which the command being handled began
    std::string mCurrentLine; // text of the command being collected
    std::map<std::string, std::unique_ptr<DataElement>> mDefineMap;

protected:
    bool ParseLine(const std::string& line);
    bool TokenizeList(const std::string& text, ListDataElement* list, bool expectListEnd, size_t* index);

private:
    bool HandleCollected();
    bool DerefFailure(const std::string& name);
    // ElementToStringVector, then every string converted; the first that
    // does not convert fails the call.
    template <typename T>
    bool ConvertStrings(const DataElement* element, std::vector<T>* values, bool (*convert)(const std::string&, T*));
};

} // namespace Kavo
