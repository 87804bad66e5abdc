#pragma once
// The flying effects' sample data: the frame animations of the coin, rating
// star, rank star, reward, knife and pepper effects with their pictures, and
// the double-score label "images/bonuses/x2label".

#include <string>

namespace Kavo::SampleContent {

// False when a file cannot be written.
bool WriteFlyingEffectsContent(const std::string& root);

} // namespace Kavo::SampleContent
