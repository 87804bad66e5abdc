#include "tools/sample_content/stage_content.h"

#include "platform/file_system.h"
#include "tools/sample_content/content_files.h"

#include <cstdio>

namespace Kavo::SampleContent {

namespace {

constexpr int kStageCount = 15;

// The layouts of boards.dat the stages play: the first stage its own, the
// later ones the range of the others, a board each in turn.
constexpr int kFirstStageLayout = 4;
constexpr int kFirstStageBoard = 5;
constexpr int kLastStageBoard = 7;
// What a later stage asks of each kind, and how much more per stage. The
// first kind comes in twice as many of the dealt items as the others.
constexpr int kDrinkGoal = 400;
constexpr int kEatGoal = 220;
constexpr int kStuffGoal = 300;
constexpr int kGoalStep = 25;

// The eight bonuses, the order in which the stages unlock them.
constexpr const char* kBonusNames[8] = {"Knife", "Shuffle", "Hint", "LineBreak", "Timer", "Pepper", "Replace", "X2"};

// Twelve directions' pieces in a 120 x 90 picture: corners 20 x 20, edges
// 50 long, halves 25 long, and where each sits around a 50-pixel tile. Each
// outer piece is cut from the side of the picture it stands for, so that the
// picture's rim outlines the board all round.
struct Piece {
    const char* mDirection;
    const char* mOutRects;
    const char* mOutOffset;
    const char* mInRects;
    const char* mInOffset;
};

constexpr Piece kPieces[12] = {
    {"LeftTop", "0,0,20,20", "-20,-20", "0,0,20,20", "0,0"},
    {"Top", "20,0,50,20;60,0,50,20", "0,-20;0,-20", "20,0,50,20", "0,0"},
    {"TopHalf", "70,0,25,20", "0,-20", "70,0,25,20", "0,0"},
    {"RightTop", "100,0,20,20", "50,-20", "95,0,20,20", "30,0"},
    {"Right", "100,20,20,50", "50,0", "20,20,20,50", "30,0"},
    {"RightHalf", "100,20,20,25", "50,0", "60,20,20,25", "30,0"},
    {"RightBottom", "100,70,20,20", "50,50", "95,70,20,20", "30,30"},
    {"Bottom", "20,70,50,20", "0,50", "20,70,50,20", "0,30"},
    {"BottomHalf", "70,70,25,20", "0,50", "70,70,25,20", "0,30"},
    {"LeftBottom", "0,70,20,20", "-20,50", "0,70,20,20", "0,30"},
    {"Left", "0,20,20,50;0,30,20,50", "-20,0", "0,20,20,50", "0,0"},
    {"LeftHalf", "0,20,20,25", "-20,0", "40,20,20,25", "0,0"},
};

std::string Format(const char* format, int a, int b = 0) {
    char text[128];
    std::snprintf(text, sizeof(text), format, a, b);
    return text;
}

} // namespace

std::string StagesText() {
    std::string text;
    for (int stage = 0; stage < kStageCount; ++stage) {
        const int restaurant = stage / 5;
        text += Format("[Stage%02d]\n", stage);
        // The first stage is one board to learn on; every later stage plays
        // the range.
        if (stage == 0)
            text += Format("Boards=%d,%d\n", kFirstStageLayout, kFirstStageLayout);
        else
            text += Format("Boards=%d,%d\n", kFirstStageBoard, kLastStageBoard);
        // Time for a person to clear a board (a good swap every 3.5 s
        // clears one of the first restaurant's in at most about two thirds
        // of it), six seconds less each stage; the first board leaves a new
        // player two minutes, time to read its tips and the first bonus's
        // notice too.
        text += Format("Time=%d\n", stage == 0 ? 120 : 180 - (stage - 1) * 6);
        text += Format("Back=back%d\n", restaurant + 1);
        text += Format("SecretMap=Map%02d\n", stage + 1);
        // The counts add up the scores of the items broken: the first
        // stage's are met by clearing its one board, a later stage's by two
        // or three boards (a cleared board yields some 100 to 400 of a kind;
        // what the room and the menu are worth adds to every line, so a
        // player who furnishes needs fewer).
        if (stage == 0)
            text += "DrinkCount=20\nEatCount=20\nStuffCount=20\n";
        else
            text +=
                Format("DrinkCount=%d\nEatCount=%d\n", kDrinkGoal + stage * kGoalStep, kEatGoal + stage * kGoalStep) +
                Format("StuffCount=%d\n", kStuffGoal + stage * kGoalStep);
        text += Format("StuffPrice=%d\n", 5 + restaurant);
        text += Format("EatPrice=%d\nDrinkPrice=%d\n", 4 + restaurant, 3 + restaurant);
        if (stage % 2 == 0 && stage / 2 < 8)
            text += std::string("Bonus=") + kBonusNames[stage / 2] + "\n";
        const int kinds = 5 + restaurant;
        // Four kinds at first, more once the player has progressed.
        auto items = [&](int count) {
            std::string ids;
            for (int id = 0; id < count; ++id)
                ids += Format(id == 0 ? "%d" : ",%d", id + restaurant);
            return ids + "\n";
        };
        text += Format("Items0=0;%d;", 2 + stage) + items(4);
        text += Format("Items1=%d;999;", 3 + stage) + items(kinds);
        // The bonuses unlocked so far; every stage names them all from the
        // last restaurant on.
        const int offered = stage >= 10 ? 8 : stage / 2 + 1;
        text += "Bonuses0=0;999;";
        for (int b = 0; b < offered; ++b)
            text += std::string(b == 0 ? "" : ",") + kBonusNames[b];
        text += "\n";
    }
    return WithCrLf(text);
}

std::string CommentsText() {
    return WithCrLf("[Bad]\nGood=0\nFile=sounds\\comments\\bad\n"
                    "[Excellent]\nGood=1\nFile=sounds\\comments\\excellent\n"
                    "[Good]\nFile=sounds\\comments\\good\n"
                    "[TimeOut]\nGood=0\nFile=sounds\\comments\\timeout\n");
}

std::string BevelsText() {
    std::string text;
    for (int set = 1; set <= 3; ++set) {
        text += Format("[Bevel%d]\n", set);
        text += Format("ImageOut=IMAGE_OUTBOX%d\nImageIn=IMAGE_INBOX%d\n", set, set);
        for (const Piece& piece : kPieces) {
            const std::string d = piece.mDirection;
            text += d + "Out=" + piece.mOutRects + "\n" + d + "OutOff=" + piece.mOutOffset + "\n";
            text += d + "In=" + piece.mInRects + "\n" + d + "InOff=" + piece.mInOffset + "\n";
        }
    }
    return WithCrLf(text);
}

std::string StageSettingsText() {
    std::string text = "[Bonuses]\nKillOne=30\nShuffle=40\nLineBreak=50\nHint=20\nTimer=60\nLightning=70\n"
                       "Replace=45\nX2=80\nHintColor=FFFF80\n";
    text += "[Penalty]\n";
    for (int stage = 1; stage <= kStageCount; ++stage)
        text += Format("Stage%d=%d\n", stage, 100 * stage);
    // Thresholds far above what a scripted run reaches.
    static const char* const kRewards[10] = {"LinesCount",     "Bonus",          "ScoresPer1",       "LinesPer30",
                                             "SameType",       "ScoresPerBoard", "SameTypePerBoard", "BonusPerBoard",
                                             "ScoresPerStage", "Puzzle"};
    text += "[Rewards]\n";
    for (const char* key : kRewards) {
        const bool lower = std::string(key) == "Puzzle";
        text += std::string(key) + (lower ? "=30,60,90\n" : "=5000,10000,20000\n");
        text += std::string(key) + (lower ? "Activate=0,30,60\n" : "Activate=4000,8000,16000\n");
    }
    return WithCrLf(text);
}

bool WriteStageContent(const std::string& root) {
    const std::string settingsPath = root + "/data/settings.txt";
    std::string settings;
    if (platform::FileExists(settingsPath) && !platform::ReadWholeFile(settingsPath, settings))
        return false;
    return WriteContentFile(root + "/data/stages.txt", StagesText()) &&
           WriteContentFile(root + "/data/comments.txt", CommentsText()) &&
           WriteContentFile(root + "/data/bevels.txt", BevelsText()) &&
           WriteContentFile(settingsPath, settings + StageSettingsText());
}

} // namespace Kavo::SampleContent
