#include "sounds/SoundBox.h"

#include "sounds/QtWaveOut.h"
#include "sounds/SoundEffects.h"

#include <QFile>

#include <random>

namespace orvanta {

namespace {

// A missing or unreadable resource gives an empty image, which loads as a
// failed sound that is never played.
std::vector<std::uint8_t> ResourceImage(int id) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace

TSoundBox::TSoundBox(QObject* parent)
    : TSoundBox(std::make_unique<TQtWaveOut>(), std::random_device{}(), parent) {}

TSoundBox::TSoundBox(std::unique_ptr<TWaveOut> out, std::uint32_t seed, QObject* parent)
    : QObject(parent),
      FEffects(std::make_unique<TSoundEffects>(std::move(out), &ResourceImage, seed)) {}

TSoundBox::~TSoundBox() = default;

bool TSoundBox::Enabled() const {
    return FEffects->SoundsEnabled();
}

void TSoundBox::Tick() {
    FEffects->Tick();
}

void TSoundBox::Stop() {
    FEffects->Stop();
}

} // namespace orvanta
