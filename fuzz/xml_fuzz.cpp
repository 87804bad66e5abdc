// Parses a whole XML document, as the resource manifest is read.
#include "framework/parser/xml_parser.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".xml");
    Kavo::XMLParser parser;
    if (!parser.OpenFile(path))
        return 0;
    Kavo::XMLElement element;
    for (int i = 0; i < 100000 && parser.ReadNextElement(&element); ++i) {
    }
    return 0;
}
