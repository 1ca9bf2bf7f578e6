#pragma once

#include <QObject>

#include <cstdint>
#include <memory>

namespace orvanta {

class TSoundEffects;
class TWaveOut;

// The sound effects of the about box's animation, with the sounds taken from
// the program's resources and played on the default audio output.
class TSoundBox : public QObject {
    Q_OBJECT

public:
    // Start-up: counts the output devices; with none nothing is created and
    // the box stays silent (no message of any kind). Otherwise loads the
    // sixteen sounds from the resources ":/sounds/5001.wav" … ":/sounds/5016.wav"
    // and creates the player.
    explicit TSoundBox(QObject* parent = nullptr);
    // The same on the given output, with a fixed seed for the choice of
    // sounds.
    TSoundBox(std::unique_ptr<TWaveOut> out, std::uint32_t seed, QObject* parent = nullptr);
    ~TSoundBox() override;

    bool Enabled() const;
    // The random rule, called on each clock tick while the animation runs.
    void Tick();
    // The animation stopped: close the player.
    void Stop();

    const TSoundEffects& Effects() const { return *FEffects; }

private:
    std::unique_ptr<TSoundEffects> FEffects;
};

} // namespace orvanta
