#include "framework/parser/data_element.h"

namespace Kavo {

ListDataElement::ListDataElement(const ListDataElement& other) : DataElement(true) {
    mElementVector.reserve(other.mElementVector.size());
    for (const auto& element : other.mElementVector)
        mElementVector.emplace_back(element->Duplicate());
}

ListDataElement& ListDataElement::operator=(const ListDataElement& other) {
    if (this != &other) {
        ListDataElement copy(other);
        mElementVector.swap(copy.mElementVector);
    }
    return *this;
}

} // namespace Kavo
