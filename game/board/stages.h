#pragma once
// The table of stages, read once at start-up from "data/stages.txt": one
// stage per section, in the document's section order (names ascending
// without regard to letter case, so "Stage10" comes before "Stage2").

#include "game/board/stage.h"
#include "platform/process_slot.h"

#include <string>
#include <vector>

namespace Game {

class IniDocument;

class Stages {
public:
    Stages() = default;
    // Reads the document at `path`; a file that cannot be read leaves the
    // table empty.
    explicit Stages(const std::string& path);
    // Appends one stage per section of a document already read.
    void LoadDocument(IniDocument& document);

    int GetCount() const { return static_cast<int>(mStages.size()); }
    // By 0-based index; null outside the table.
    const Stage* GetStage(int index) const;

private:
    std::vector<Stage> mStages;
};

// The table the application installed at start-up (null before it did).
platform::ProcessSlot<Stages>& StagesSlot();

} // namespace Game
