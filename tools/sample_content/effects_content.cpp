#include "tools/sample_content/effects_content.h"

#include "game/effects/trajectories.h"
#include "game/effects/trajectories_writer.h"
#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Kavo::SampleContent {

namespace {

constexpr int kCentreX = 512;
constexpr int kCentreY = 384;

bool Write(const std::string& path, const std::string& bytes) {
    return platform::MakeDirectories(path.substr(0, path.find_last_of('/'))) && platform::WriteWholeFile(path, bytes);
}

// From the screen centre to (x, y) through `count` points bowed off the
// chord, lengths measured along the spline.
Game::TrajectoryPath Flight(const std::string& name, int x, int y, int count, float bow) {
    Game::TrajectoryPath path;
    path.mName = name;
    const float dx = static_cast<float>(x - kCentreX);
    const float dy = static_cast<float>(y - kCentreY);
    for (int i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(count - 1);
        const float lift = bow * std::sin(t * 3.14159265f);
        Game::PathPoint point;
        point.x = static_cast<int>(kCentreX + dx * t - dy * lift);
        point.y = static_cast<int>(kCentreY + dy * t + dx * lift);
        point.scale = 1.0f + 0.5f * std::sin(t * 3.14159265f);
        path.mPoints.push_back(point);
    }
    Game::Trajectories::ComputeLengths(path);
    return path;
}

// Rank stars to their spots on the map (three ranks of five), and ten
// reward flights to the slots along the bottom.
std::string TrajectoriesFile() {
    std::vector<Game::TrajectoryPath> paths;
    for (int rank = 1; rank <= 3; ++rank) {
        for (int star = 0; star < 5; ++star) {
            const int x = 140 + star * 180 + (rank % 2) * 40;
            const int y = 150 + (rank - 1) * 190 + (star % 2) * 30;
            const int count = 3 + (rank + star) % 4;
            paths.push_back(Flight("Rank_" + std::to_string(rank) + "_" + std::to_string(star), x, y, count,
                                   0.15f * static_cast<float>(star % 3 - 1)));
        }
    }
    for (int reward = 0; reward < 10; ++reward)
        paths.push_back(Flight("Reward" + std::to_string(reward), 80 + reward * 96, 700, 4, 0.2f));
    return Game::EncodeTrajectories(paths);
}

// The completion burst of the picture puzzle: sparkles from the shared
// sparkle picture, in two rectangles.
constexpr const char* kPuzzleParticles = "[Default]\r\n"
                                         "nEmission=120\r\n"
                                         "fLifetime=0.6\r\n"
                                         "fParticleLifeMin=0.6\r\n"
                                         "fParticleLifeMax=1.4\r\n"
                                         "fDirection=0\r\n"
                                         "fSpread=6.28\r\n"
                                         "fSpeedMin=1.5\r\n"
                                         "fSpeedMax=4\r\n"
                                         "fGravityMin=2\r\n"
                                         "fGravityMax=5\r\n"
                                         "fSizeStart=1.2\r\n"
                                         "fSizeEnd=0.2\r\n"
                                         "fSpinStart=2\r\n"
                                         "fSpinEnd=0\r\n"
                                         "colColorStart=1,1,0.6,1;1,0.8,0.3,1\r\n"
                                         "colColorEnd=1,0.5,0.1,0\r\n"
                                         "iDrawMode=1\r\n"
                                         "ImageFile=IMAGE_SPARKLE\r\n"
                                         "bUseRandomRect=1\r\n"
                                         "TextureRect0=0,0,16,16\r\n"
                                         "TextureRect1=16,0,16,16\r\n";

// The burst of a completed secret map: a soft glow picture read by file
// name, born inside an ellipse.
constexpr const char* kMapReadyParticles = "[Default]\r\n"
                                           "nEmission=80\r\n"
                                           "fLifetime=1.5\r\n"
                                           "fParticleLifeMin=1\r\n"
                                           "fParticleLifeMax=2\r\n"
                                           "fDirection=0\r\n"
                                           "fSpread=1.2\r\n"
                                           "fSpeedMin=0.5\r\n"
                                           "fSpeedMax=2\r\n"
                                           "fRadialAccelMin=1\r\n"
                                           "fRadialAccelMax=3\r\n"
                                           "fSizeStart=0.4\r\n"
                                           "fSizeEnd=1\r\n"
                                           "colColorStartR=1\r\n"
                                           "colColorStartG=0.9\r\n"
                                           "colColorStartB=0.5\r\n"
                                           "colColorStartA=1\r\n"
                                           "colColorEndR=1\r\n"
                                           "colColorEndG=0.6\r\n"
                                           "colColorEndB=0.2\r\n"
                                           "colColorEndA=0\r\n"
                                           "iDrawMode=1\r\n"
                                           "ImageFile=mapready_spark\r\n"
                                           "AppearMode=2\r\n"
                                           "SizeX=160\r\n"
                                           "SizeY=90\r\n";

// A round, soft white spark.
std::vector<uint32_t> Spark(int size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - size / 2.0;
            const double dy = y + 0.5 - size / 2.0;
            const double fall = std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy) / (size / 2.0));
            const uint32_t alpha = static_cast<uint32_t>(std::lround(255 * fall * fall));
            pixels[static_cast<size_t>(y) * size + x] = alpha << 24 | 0xFFFFFFu;
        }
    }
    return pixels;
}

} // namespace

bool WriteEffectsContent(const std::string& root) {
    const ImageEncoders::Bytes spark = ImageEncoders::EncodePngArgb(32, 32, Spark(32));
    return Write(root + "/data/Trajectories.dat", TrajectoriesFile()) &&
           Write(root + "/particles/puzzle.ini", kPuzzleParticles) &&
           Write(root + "/particles/mapready.ini", kMapReadyParticles) &&
           Write(root + "/images/mapready_spark.png", std::string(spark.begin(), spark.end()));
}

} // namespace Kavo::SampleContent
