#pragma once

namespace Kavo {

// The music player. This base plays nothing and serves in no-sound mode;
// the players that make sound derive from it.
class MusicInterface {
public:
    virtual ~MusicInterface() = default;

    // Called once per fixed update.
    virtual void Update() {}
    virtual void StopAllMusic() {}
    // 0.0 to 1.0.
    virtual void SetVolume(double volume) { mVolume = volume; }
    double GetVolume() const { return mVolume; }

protected:
    double mVolume = 1.0;
};

} // namespace Kavo
