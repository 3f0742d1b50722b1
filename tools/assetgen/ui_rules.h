#pragma once
// The rules text of the six how-to-play pages.

#include <string>
#include <vector>

namespace assetgen {
namespace ui {

// A paragraph starting with '*' is a bullet; text between { and } is emphasised.
struct RuleSection {
    std::string heading;
    std::vector<std::string> paras;
};

// Game 0 Klondike, 1 FreeCell, 2 Spider, 3 TriPeaks, 4 Yukon, 5 Golf.
std::vector<RuleSection> rules_of(int game);

}  // namespace ui
}  // namespace assetgen
