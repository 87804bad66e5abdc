// Reads a descriptor file whose commands define names and convert their
// parameters, as the bitmap-font descriptors are read.
#include "framework/parser/desc_parser.h"
#include "framework/util/string_util.h"
#include "fuzz/fuzz_support.h"

namespace {

class ProbingParser : public Kavo::DescParser {
public:
    bool HandleCommand(const Kavo::ListDataElement& params) override {
        if (params.mElementVector.empty())
            return true;
        std::string name;
        ElementToString(params.mElementVector[0].get(), &name);
        Kavo::ListDataElement resolved;
        if (!DerefList(&params, &resolved))
            return false;
        for (const auto& element : resolved.mElementVector) {
            std::vector<int> ints;
            std::vector<double> doubles;
            std::vector<std::string> strings;
            ElementToIntVector(element.get(), &ints);
            ElementToDoubleVector(element.get(), &doubles);
            ElementToStringVector(element.get(), &strings);
            ElementToText(element.get());
        }
        // "Define name value" keeps its value so later commands can use it.
        if (name == "Define" && params.mElementVector.size() >= 3) {
            std::string key;
            if (ElementToString(params.mElementVector[1].get(), &key))
                mDefineMap[Kavo::StringToUpper(key)] =
                    std::unique_ptr<Kavo::DataElement>(params.mElementVector[2]->Duplicate());
        }
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    ProbingParser parser;
    parser.LoadFile(path);
    return 0;
}
