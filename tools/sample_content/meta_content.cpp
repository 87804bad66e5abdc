#include "tools/sample_content/meta_content.h"

#include "tools/sample_content/meta_layouts.h"
#include "tools/sample_content/meta_pictures.h"
#include "tools/sample_content/meta_tables.h"

#include <cstdio>

namespace Kavo::SampleContent {

bool WriteMetaContent(const std::string& root) {
    GlyphSheet labels;
    if (!RenderGlyphSheet(11, &labels)) {
        std::fprintf(stderr, "make-sample-content: no installed font face opens for the picture labels\n");
        return false;
    }
    return WriteMetaTables(root, labels) && WriteMetaLayouts(root) && WriteMetaPictures(root, labels);
}

} // namespace Kavo::SampleContent
