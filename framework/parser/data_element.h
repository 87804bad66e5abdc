#pragma once
// Values of the descriptor language: a word, number or quoted string, or a
// parenthesised list of further values.

#include <memory>
#include <string>
#include <vector>

namespace Kavo {

class DataElement {
public:
    explicit DataElement(bool isList) : mIsList(isList) {}
    virtual ~DataElement() = default;
    virtual DataElement* Duplicate() const = 0; // a new deep copy

    bool mIsList;
};

class SingleDataElement : public DataElement {
public:
    SingleDataElement() : DataElement(false) {}
    explicit SingleDataElement(const std::string& text) : DataElement(false), mString(text) {}
    DataElement* Duplicate() const override { return new SingleDataElement(mString); }

    std::string mString;
};

class ListDataElement : public DataElement {
public:
    ListDataElement() : DataElement(true) {}
    ListDataElement(const ListDataElement& other);
    ListDataElement& operator=(const ListDataElement& other);
    DataElement* Duplicate() const override { return new ListDataElement(*this); }

    size_t Size() const { return mElementVector.size(); }
    DataElement* At(size_t index) const { return mElementVector[index].get(); }
    // Takes ownership.
    void Add(DataElement* element) { mElementVector.emplace_back(element); }
    void Clear() { mElementVector.clear(); }

    std::vector<std::unique_ptr<DataElement>> mElementVector;
};

} // namespace Kavo
