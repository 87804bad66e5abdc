#pragma once

// The picture encoders, and a scratch folder to put their files in.

#include "tools/image_encoders/image_encoders.h"

#include <string>

namespace Kavo::ImageLib::Fixtures {

using namespace Kavo::ImageEncoders;

// A folder of its own under the test temp dir; removed at destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return mPath; }
    std::string File(const std::string& name) const { return mPath + "/" + name; }
    void Write(const std::string& name, const Bytes& bytes) const;

private:
    std::string mPath;
};

} // namespace Kavo::ImageLib::Fixtures
