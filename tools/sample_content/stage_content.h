#pragma once
// The stage data of the sample content: the stage table, the comments, the
// bevel sets and the settings sections the board reads ("Bonuses",
// "Penalty", "Rewards").

#include <string>

namespace Kavo::SampleContent {

// "data/stages.txt" (CR LF): "Stage00" to "Stage14", three restaurants of
// five stages on the four sample layouts.
std::string StagesText();
// "data/comments.txt" (CR LF).
std::string CommentsText();
// "data/bevels.txt" (CR LF): three sets on IMAGE_OUTBOX1..3 and
// IMAGE_INBOX1..3 with pieces for all twelve directions.
std::string BevelsText();
// The sections "Bonuses", "Penalty" and "Rewards" of "data/settings.txt"
// (CR LF).
std::string StageSettingsText();
// Writes the three files and appends the sections to "data/settings.txt"
// (kept when it exists); false when a file could not be written.
bool WriteStageContent(const std::string& root);

} // namespace Kavo::SampleContent
